#include "platform/MessageBox.h"

#include "platform/DisplayProbe.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace cubrava {

namespace {

constexpr int kMargin = 12;
constexpr int kIconSize = 48;
constexpr int kButtonWidth = 84;
constexpr int kButtonHeight = 26;
constexpr Fl_Font kTextFont = FL_HELVETICA;
constexpr Fl_Fontsize kTextSize = 14;

// A round sign: a red disc with a white cross for errors, a yellow one with
// "!" for warnings, a blue one with "i" or "?" otherwise.
class IconBox : public Fl_Box {
public:
    IconBox(int x, int y, MessageIcon icon)
        : Fl_Box(x, y, kIconSize, kIconSize)
        , icon_(icon)
    {
    }

    void draw() override
    {
        Fl_Color disc = icon_ == MessageIcon::Error ? fl_rgb_color(200, 30, 30)
            : icon_ == MessageIcon::Warning         ? fl_rgb_color(230, 180, 20)
                                                    : fl_rgb_color(40, 90, 200);
        fl_color(disc);
        fl_pie(x(), y(), w(), h(), 0, 360);
        fl_color(icon_ == MessageIcon::Warning ? FL_BLACK : FL_WHITE);
        if (icon_ == MessageIcon::Error) {
            int inset = w() * 3 / 10;
            fl_line_style(FL_SOLID | FL_CAP_ROUND, 5);
            fl_line(x() + inset, y() + inset, x() + w() - inset, y() + h() - inset);
            fl_line(x() + w() - inset, y() + inset, x() + inset, y() + h() - inset);
            fl_line_style(0);
            return;
        }
        const char* sign = icon_ == MessageIcon::Warning ? "!" : icon_ == MessageIcon::Question ? "?" : "i";
        fl_font(FL_TIMES_BOLD, 32);
        fl_draw(sign, x(), y(), w(), h(), FL_ALIGN_CENTER, nullptr, 0);
    }

private:
    MessageIcon icon_;
};

// The message itself, drawn as given: no '@' symbols, no '&' shortcuts.
class TextBox : public Fl_Box {
public:
    TextBox(int x, int y, int w, int h, const std::string& text)
        : Fl_Box(x, y, w, h)
        , text_(text)
    {
    }

    void draw() override
    {
        fl_font(kTextFont, kTextSize);
        fl_color(FL_FOREGROUND_COLOR);
        fl_draw(text_.c_str(), x(), y(), w(), h(), FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP, nullptr, 0);
    }

private:
    std::string text_;
};

// Ctrl+C (or Ctrl+Insert) copies the message to the clipboard, so a report
// can be pasted elsewhere word for word.
class MessageWindow : public Fl_Window {
public:
    MessageWindow(int w, int h, const std::string& text)
        : Fl_Window(w, h)
        , text_(text)
    {
    }

    int handle(int event) override
    {
        bool copyKey = (Fl::event_state() & FL_CTRL) && (Fl::event_key() == 'c' || Fl::event_key() == FL_Insert);
        if ((event == FL_SHORTCUT || event == FL_KEYBOARD) && copyKey) {
            Fl::copy(text_.c_str(), static_cast<int>(text_.size()), 1);
            return 1;
        }
        return Fl_Window::handle(event);
    }

private:
    std::string text_;
};

struct ButtonSpec {
    const char* label;
    MessageAnswer answer;
    bool isDefault;
};

struct Dialog;

struct ButtonBinding {
    Dialog* dialog;
    MessageAnswer answer;
};

struct Dialog {
    std::unique_ptr<MessageWindow> window;
    std::vector<ButtonBinding> bindings;
    MessageAnswer answer = MessageAnswer::Cancel;
};

void onButton(Fl_Widget*, void* data)
{
    auto* binding = static_cast<ButtonBinding*>(data);
    binding->dialog->answer = binding->answer;
    binding->dialog->window->hide();
}

// Buttons stand right-aligned in the order given; Escape and the window's
// close button leave the answer at Cancel.
MessageAnswer runDialog(
    const std::string& caption, const std::string& text, MessageIcon icon, const std::vector<ButtonSpec>& buttons)
{
    fl_open_display();
    fl_font(kTextFont, kTextSize);
    int textWidth = 0, textHeight = 0;
    fl_measure(text.c_str(), textWidth, textHeight, 0);
    int widest = Fl::w() - 40 - kMargin * 3 - kIconSize;
    if (textWidth > widest) {
        textWidth = widest; // wrap at that width instead
        fl_measure(text.c_str(), textWidth, textHeight, 0);
    }

    int buttonsWidth = static_cast<int>(buttons.size()) * (kButtonWidth + kMargin) - kMargin;
    int width = std::max(kMargin * 3 + kIconSize + textWidth, buttonsWidth + 2 * kMargin);
    width = std::max(width, 300);
    int bodyHeight = std::max(kIconSize, textHeight);
    int height = kMargin * 3 + bodyHeight + kButtonHeight;

    Dialog dialog;
    dialog.window = std::make_unique<MessageWindow>(width, height, text);
    dialog.window->copy_label(caption.c_str());
    dialog.window->begin();
    new IconBox(kMargin, kMargin, icon); // children belong to the window, which deletes them
    new TextBox(kMargin * 2 + kIconSize, kMargin, width - kMargin * 3 - kIconSize, bodyHeight, text);
    dialog.bindings.reserve(buttons.size()); // the buttons keep pointers into it
    int x = width - kMargin - buttonsWidth;
    Fl_Button* defaultButton = nullptr;
    for (const ButtonSpec& choice : buttons) {
        int y = height - kMargin - kButtonHeight;
        Fl_Button* button = choice.isDefault ? new Fl_Return_Button(x, y, kButtonWidth, kButtonHeight, choice.label)
                                             : new Fl_Button(x, y, kButtonWidth, kButtonHeight, choice.label);
        dialog.bindings.push_back({ &dialog, choice.answer });
        button->callback(onButton, &dialog.bindings.back());
        if (choice.isDefault)
            defaultButton = button;
        x += kButtonWidth + kMargin;
    }
    dialog.window->end();
    // Only once the window is complete: taken earlier, it kept later buttons out of the window.
    if (defaultButton)
        defaultButton->take_focus();
    dialog.window->set_modal();
    dialog.window->position((Fl::w() - width) / 2 + Fl::x(), (Fl::h() - height) / 2 + Fl::y());
    dialog.window->show();
    while (dialog.window->shown())
        Fl::wait();
    dialog.window.reset();
    return dialog.answer;
}

} // namespace

void showMessage(const std::string& caption, const std::string& text, MessageIcon icon)
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return;
    }
    runDialog(caption, text, icon, { { "OK", MessageAnswer::Yes, true } });
}

MessageAnswer askYesNoCancel(const std::string& caption, const std::string& text)
{
    if (!displayAvailable()) {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        return MessageAnswer::Cancel;
    }
    return runDialog(caption, text, MessageIcon::Question,
        { { "Yes", MessageAnswer::Yes, true }, { "No", MessageAnswer::No, false },
            { "Cancel", MessageAnswer::Cancel, false } });
}

} // namespace cubrava
