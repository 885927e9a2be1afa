#include "PreviewView.h"

#include "CubeDrawing.h"
#include "DisplayService.h"
#include "RenderContext.h"
#include "model/PlayField.h"

#include <GL/gl.h>

namespace cubrava {

namespace {

// What the view keeps in a rendering context.
struct PreviewList {
    KeptList piece;
};

void drawPieceContent(RenderContext& context, const PieceDef& piece)
{
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_LIGHT2);
    glEnable(GL_LIGHTING);
    glEnable(GL_COLOR_MATERIAL);
    for (const Block& block : piece.blocks) {
        if (block.material)
            drawCube(context, *block.material, block.x, block.y, block.z, piece.orientation, 1.0f, 0.0f);
    }
    glDisable(GL_COLOR_MATERIAL);
    glDisable(GL_LIGHTING);
    glDisable(GL_LIGHT2);
    glDisable(GL_DEPTH_TEST);
}

} // namespace

PreviewView::PreviewView(WindowService& display)
    : display_(display)
{
}

void PreviewView::attach(PlayField& play)
{
    play_ = &play;
    play.addListener(*this);
    takeNextPiece();
    // The list showed the last field's piece.
    ++pieceVersion_;
}

void PreviewView::initGl()
{
    const GLfloat ambient[] = { 0.1f, 0.1f, 0.1f, 1.0f };
    const GLfloat bright[] = { 1.0f, 1.0f, 1.0f, 1.0f };
    const GLfloat position[] = { -1.0f, -1.0f, 1.0f, 0.0f };
    // Set under an identity modelview: a light fixed to the eye.
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glLightfv(GL_LIGHT2, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT2, GL_DIFFUSE, bright);
    glLightfv(GL_LIGHT2, GL_SPECULAR, bright);
    glLightfv(GL_LIGHT2, GL_POSITION, position);
    glPopMatrix();
    angle_ = 180.0f;
}

void PreviewView::onPlayEvent(PlayField& play, PlayEvent event, std::int32_t)
{
    switch (event) {
    case PlayEvent::Started:
    case PlayEvent::NextPieceChosen:
        turning_ = true;
        play_ = &play;
        takeNextPiece();
        if (piece_)
            ++pieceVersion_;
        display_.postRedisplay();
        break;
    case PlayEvent::GameOver:
    case PlayEvent::Stopped:
        turning_ = false;
        break;
    default:
        break;
    }
}

void PreviewView::takeNextPiece()
{
    piece_ = play_ ? play_->nextPiece() : nullptr;
    if (piece_) {
        centreX_ = piece_->ex * 0.5;
        centreY_ = piece_->ey * 0.5;
        centreZ_ = piece_->ez * 0.5;
    }
}

void PreviewView::prepare(RenderContext& context)
{
    if (!piece_)
        return;
    KeptList& list = context.kept<PreviewList>(key_).piece;
    if (list.version == pieceVersion_)
        return;
    // Made now, so they are not recorded into the list.
    for (const Block& block : piece_->blocks)
        if (block.material)
            prepareTexture(context, *block.material);
    const PieceDef& piece = *piece_;
    context.compile(list, pieceVersion_, [&context, &piece] { drawPieceContent(context, piece); });
}

void PreviewView::turnStep()
{
    if (!turning_)
        return;
    angle_ += 1.0f;
    if (angle_ >= 360.0f)
        angle_ -= 360.0f;
    display_.postRedisplay();
}

void PreviewView::draw(RenderContext& context)
{
    const float aspect = viewport_.width > 0 && viewport_.height > 0
        ? static_cast<float>(viewport_.width) / static_cast<float>(viewport_.height)
        : 1.0f;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    if (viewport_.width >= 0 && viewport_.height >= 0)
        glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    glFrustum(-aspect, aspect, -1.0, 1.0, 1.0, 6.0);
    glMatrixMode(GL_MODELVIEW);

    glColor3d(1.0, 1.0, 1.0);
    glBegin(GL_LINE_LOOP);
    glVertex3f(0.1f - aspect, -0.9f, -1.1f);
    glVertex3f(aspect - 0.1f, -0.9f, -1.1f);
    glVertex3f(aspect - 0.1f, 0.9f, -1.1f);
    glVertex3f(0.1f - aspect, 0.9f, -1.1f);
    glEnd();

    if (piece_) {
        prepare(context);
        glPushMatrix();
        glTranslated(0.0, 0.0, -3.5);
        glRotatef(angle_, 0.0f, 1.0f, 0.0f);
        glRotatef(-80.0f, 1.0f, 0.0f, 0.0f);
        glTranslated(-centreX_, -centreY_, -centreZ_);
        const PieceDef& piece = *piece_;
        context.call(context.kept<PreviewList>(key_).piece, [&context, &piece] { drawPieceContent(context, piece); });
        glPopMatrix();
    }

    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace cubrava
