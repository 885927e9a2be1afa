#include "StatusOverlay.h"

#include "DisplayService.h"
#include "data/ProcessWide.h"

#include <GL/gl.h>

#include <algorithm>

namespace cubrava {

namespace {

constexpr int FirstSize = 12;
constexpr int SizeStep = 4;
constexpr int LargestSize = 512;

} // namespace

StatusOverlay::StatusOverlay(WindowService& display, const std::string& messagesFile)
    : display_(display)
{
    readStatusMessagesFrom(messagesFile, messages_);
}

void StatusOverlay::init(const std::string& fontFile)
{
    font_.open(fontFile);
}

unsigned StatusOverlay::show(const std::string& text, const TextColour& colour)
{
    if (text.empty())
        return 0;
    text_ = text;
    colour_ = colour;
    visible_ = true;
    fontSize_ = fitFontSize(
        font_, text_, 0.75 * viewport_.width, FirstSize, SizeStep, std::min(viewport_.height, LargestSize));
    textWidth_ = static_cast<float>(font_.textWidth(text_));
    textHeight_ = static_cast<float>(font_.lineHeight());
    display_.postRedisplay();
    if (++message_ == 0)
        message_ = 1;
    return message_;
}

unsigned StatusOverlay::showRandom(int listIndex, const TextColour& colour)
{
    if (listIndex < 0 || listIndex >= StatusListCount)
        return 0;
    const auto& list = messages_[static_cast<std::size_t>(listIndex)];
    if (list.empty())
        return 0;
    return show(list[static_cast<std::size_t>(cubrava::rand()) % list.size()], colour);
}

void StatusOverlay::hide()
{
    visible_ = false;
    display_.postRedisplay();
}

void StatusOverlay::hideMessage(unsigned message)
{
    if (message != 0 && message == message_ && visible_)
        hide();
}

void StatusOverlay::draw(RenderContext& context, const TextDrawing& text) const
{
    if (!visible_ || viewport_.width <= 0 || viewport_.height <= 0)
        return;
    const double halfWidth = viewport_.width / 2.0;
    const double halfHeight = viewport_.height / 2.0;

    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
    glOrtho(-halfWidth, halfWidth, -halfHeight, halfHeight, -1.0, 1.0);
    glColor3f(colour_.red, colour_.green, colour_.blue);
    // Like the panel text, tinted by whatever texture the panel left bound.
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    glTranslatef(-textWidth_ / 2.0f, -textHeight_ / 2.0f, 0.0f);
    text.draw(context, font_, text_);
    glPopMatrix();
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace cubrava
