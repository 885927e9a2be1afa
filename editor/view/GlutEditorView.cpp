#include "GlutEditorView.h"

#include <utility>

namespace cubrava {

GlutEditorView::GlutEditorView(std::function<bool()> wake, std::function<void(std::exception_ptr)> onTimerError)
    : timers_(std::move(onTimerError))
    , redisplay_(std::move(wake))
    , view_(window_, timers_, redisplay_, picker_)
{
}

} // namespace cubrava
