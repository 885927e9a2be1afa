#include "ModalLoop.h"

#include <FL/Fl.H>
#include <FL/Fl_Window.H>

namespace cubrava {

void ModalLoop::run()
{
    window_.show();
    while (window_.shown())
        Fl::wait();
    rethrowFailure();
}

void ModalLoop::rethrowFailure() const
{
    if (failure_)
        std::rethrow_exception(failure_);
}

void ModalLoop::fail(std::exception_ptr failure)
{
    if (!failure_)
        failure_ = failure;
    window_.hide();
}

} // namespace cubrava
