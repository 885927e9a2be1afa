#include "Hud.h"

#include "DisplayService.h"
#include "MenuButtons.h"
#include "RenderContext.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <algorithm>
#include <string>
#include <utility>

namespace cubrava {

const char* const PanelTextureFile = "Textures/brushed-metal3.bmp";

namespace {

const char* const LevelLabel = "Level:";
constexpr int FirstHudFontSize = 15;
constexpr int LargestFontSize = 512;

// The panel image in a rendering context: asked for once there, so an image
// that cannot be read is not read again for every frame.
struct KeptPanel {
    bool asked = false;
    unsigned texture = 0;
};

} // namespace

float numberShift(int width, int widest, int panelHeight)
{
    return panelHeight > 0 ? static_cast<float>(widest - width) * 5.0f / static_cast<float>(panelHeight) : 0.0f;
}

Hud::Hud(WindowService& display, MenuActions& actions, std::function<void()> goalReached, std::string fontFile)
    : display_(display)
    , fontFile_(std::move(fontFile))
    , progress_(std::move(goalReached))
{
    menuFont_.open(fontFile_);
    buttons_.push_back(std::make_unique<NewGameButton>(menuFont_, actions));
    auto pause = std::make_unique<PauseButton>(menuFont_, actions);
    pauseButton_ = pause.get();
    buttons_.push_back(std::move(pause));
    auto displayMode = std::make_unique<DisplayModeButton>(menuFont_, actions);
    displayModeButton_ = displayMode.get();
    buttons_.push_back(std::move(displayMode));
    buttons_.push_back(std::make_unique<PreviousSongButton>(menuFont_, actions));
    buttons_.push_back(std::make_unique<NextSongButton>(menuFont_, actions));
    buttons_.push_back(std::make_unique<ExitButton>(menuFont_, actions));
}

Hud::~Hud() = default;

void Hud::initFont()
{
    font_.open(fontFile_);
}

void Hud::initGl()
{
    glClearStencil(0);
    maskPending_ = true;
    ++changes_;
}

void Hud::setViewport(const ViewRect& rect)
{
    ++changes_;
    viewport_ = rect;
    const int w = rect.width;
    const int h = rect.height;

    const int size = fitFontSize(font_, LevelLabel, 0.35 * w, FirstHudFontSize, 1, std::min(h, LargestFontSize));

    bandBottom_ = static_cast<int>(rect.y + 0.8 * h);
    bandHeight_ = static_cast<int>(0.056 * h);
    bandLeft_ = (w > 0 && h > 0) ? 0.4f / (5.0f * static_cast<float>(w) / static_cast<float>(h)) : 0.0f;
    bandRight_ = 1.0f - bandLeft_;
    maskPending_ = true;

    measureName();
    scroll_ = bandLeft_;

    menuFont_.setSize(static_cast<int>(0.75 * size));
    const int windowHeight = display_.windowHeight();
    for (auto& button : buttons_) {
        button->measure();
        button->layout(rect.x, rect.y, h, windowHeight);
    }
    relight();
}

void Hud::showLevel(const LevelDef& level)
{
    ++changes_;
    level_ = &level;
    progress_.setLevel(level);
    if (viewport_.width != -1) {
        measureName();
        scroll_ = bandLeft_;
    }
    display_.postRedisplay();
}

void Hud::measureName()
{
    const int w = viewport_.width;
    nameWidth_ = (level_ && w > 0) ? static_cast<float>(font_.textWidth(level_->name)) / static_cast<float>(w) : 0.0f;
}

ViewRect Hud::nameArea() const
{
    const int reach = font_.lineHeight();
    const int bottom = std::max(viewport_.y, bandBottom_ - reach);
    const int top = std::min(viewport_.y + viewport_.height, bandBottom_ + bandHeight_ + reach);
    return ViewRect { viewport_.x, bottom, viewport_.width, top - bottom };
}

void Hud::scrollStep()
{
    scroll_ -= 0.005f;
    if (scroll_ < bandLeft_ - nameWidth_)
        scroll_ = bandRight_;
    display_.postRedisplay();
}

void Hud::setPaused(bool paused)
{
    ++changes_;
    pauseButton_->showPaused(paused);
    menuActive_ = paused;
    // While playing the pointer turns the camera; its place here goes stale.
    if (!paused)
        pointer_.reset();
    relight();
    display_.postRedisplay();
}

void Hud::setDisplayModeLabel(bool fullScreen)
{
    ++changes_;
    displayModeButton_->showMode(fullScreen);
    relight();
    display_.postRedisplay();
}

MenuButton* Hud::buttonAt(int x, int y) const
{
    MenuButton* nearest = nullptr;
    for (const auto& button : buttons_) {
        if (button->contains(x, y) && (!nearest || button->rowDistance(y) < nearest->rowDistance(y)))
            nearest = button.get();
    }
    return nearest;
}

void Hud::relight()
{
    const MenuButton* over = menuActive_ && pointer_ ? buttonAt(pointer_->x, pointer_->y) : nullptr;
    bool changed = false;
    for (auto& button : buttons_) {
        if (button->setHovered(button.get() == over))
            changed = true;
    }
    if (changed) {
        ++changes_;
        display_.postRedisplay();
    }
}

void Hud::pointerMoved(int x, int y)
{
    pointer_ = PointerPlace { x, y };
    relight();
}

void Hud::setPointer(const std::optional<PointerPlace>& place)
{
    pointer_ = place;
    relight();
}

void Hud::buttonChanged(MouseButton button, ButtonState state, int x, int y)
{
    pointer_ = PointerPlace { x, y };
    if (button != MouseButton::Left || state != ButtonState::Up)
        return;
    if (MenuButton* target = buttonAt(x, y)) {
        ++changes_;
        target->activate();
        // The action may have changed a label or the display under the
        // pointer. New game and pause put their own colour back; that stays.
        if (target->hovered())
            relight();
        display_.postRedisplay();
    }
}

void Hud::onPlayEvent(PlayField& play, PlayEvent event, std::int32_t arg)
{
    const std::uint32_t before = progress_.lines();
    progress_.onPlayEvent(play, event, arg);
    if (progress_.lines() != before) {
        ++changes_;
        display_.postRedisplay();
    }
}

void Hud::draw(RenderContext& context, const TextDrawing& text)
{
    const ViewRect& v = viewport_;
    if (v.width <= 0 || v.height <= 0)
        return;
    if (maskPending_)
        writeBandMask();

    const float aspect = static_cast<float>(v.width) / static_cast<float>(v.height);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glViewport(v.x, v.y, v.width, v.height);
    glOrtho(0.0, 5.0 * aspect, 0.0, 5.0, -0.1, 0.1);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();

    drawPanel(context);

    // The panel texture stays bound with the quad's last texture coordinate
    // current, so text is tinted by that texel of the panel image.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    glColor3f(1.0f, 0.0f, 0.0f);
    glTranslatef(0.35f, 4.3f, 0.0f);
    text.draw(context, font_, LevelLabel);
    glTranslatef(0.0f, -0.6f, 0.0f);
    text.draw(context, font_, "Goal:");
    glTranslatef(0.0f, -0.3f, 0.0f);
    text.draw(context, font_, "Lines:");
    glLoadIdentity();

    drawName(context, text);
    drawNumbers(context, text);
    for (const auto& button : buttons_)
        button->draw(context, text);

    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

void Hud::drawPanel(RenderContext& context) const
{
    KeptPanel& panel = context.kept<KeptPanel>(key_);
    if (!panel.asked) {
        panel.texture = context.texture(PanelTextureFile);
        panel.asked = true;
    }
    const float right = 4.55f * static_cast<float>(viewport_.width) / static_cast<float>(viewport_.height);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, panel.texture);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    // Shows only when the panel image is missing.
    glColor3f(0.55f, 0.57f, 0.6f);
    glBegin(GL_QUADS);
    glTexCoord2f(0.0f, 0.0f);
    glVertex2f(0.225f, 0.5f);
    glTexCoord2f(1.0f, 0.0f);
    glVertex2f(right, 0.5f);
    glTexCoord2f(1.0f, 1.0f);
    glVertex2f(right, 4.75f);
    glTexCoord2f(0.0f, 1.0f);
    glVertex2f(0.225f, 4.75f);
    glEnd();
}

namespace {

// Across the viewport, 0 to 1 is the right-hand quarter: the panel column.
void pushColumnProjection()
{
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    gluOrtho2D(-3.0, 1.0, 0.0, 1.0);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
}

void popColumnProjection()
{
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
}

} // namespace

// Runs in the first frame after a layout or a new context: the band is a strip
// of the panel column, and the name is drawn only where the strip is.
void Hud::writeBandMask()
{
    maskPending_ = false;
    glViewport(0, 0, display_.windowWidth(), display_.windowHeight());
    pushColumnProjection();

    // This runs after the scene has drawn: only the stencil may change.
    glPushAttrib(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT | GL_ENABLE_BIT | GL_STENCIL_BUFFER_BIT);
    glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_FALSE);
    glDepthMask(GL_FALSE);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    glEnable(GL_STENCIL_TEST);
    glClear(GL_STENCIL_BUFFER_BIT);
    glStencilFunc(GL_ALWAYS, 1, 1);
    glStencilOp(GL_REPLACE, GL_REPLACE, GL_REPLACE);
    glRectf(bandLeft_, 0.0f, bandRight_, 1.0f);
    glPopAttrib();
    popColumnProjection();
}

void Hud::drawName(RenderContext& context, const TextDrawing& text) const
{
    if (!level_)
        return;
    glEnable(GL_STENCIL_TEST);
    glViewport(0, bandBottom_, display_.windowWidth(), bandHeight_);
    pushColumnProjection();
    glTranslatef(scroll_, 0.0f, 0.0f);
    glStencilFunc(GL_EQUAL, 1, 1);
    glStencilOp(GL_KEEP, GL_KEEP, GL_KEEP);
    glColor3f(0.0f, 1.0f, 0.0f);
    text.draw(context, font_, level_->name);
    popColumnProjection();
    glDisable(GL_STENCIL_TEST);
    glViewport(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
}

void Hud::drawNumbers(RenderContext& context, const TextDrawing& text) const
{
    const std::string goal = level_ ? std::to_string(level_->goal) : std::string();
    const std::string lines = std::to_string(progress_.lines());
    const int goalWidth = font_.textWidth(goal);
    const int linesWidth = font_.textWidth(lines);
    const int widest = std::max(goalWidth, linesWidth);

    glColor3f(0.0f, 0.0f, 1.0f);
    glPushMatrix();
    glTranslatef(1.4f + numberShift(goalWidth, widest, viewport_.height), 3.7f, 0.0f);
    text.draw(context, font_, goal);
    glPopMatrix();
    glPushMatrix();
    glTranslatef(1.4f + numberShift(linesWidth, widest, viewport_.height), 3.4f, 0.0f);
    text.draw(context, font_, lines);
    glPopMatrix();
}

} // namespace cubrava
