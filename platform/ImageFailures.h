#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cubrava {

// An image file that exists but could not be read, with the reader's text.
struct ImageFailure {
    std::string path;
    std::string text;

    bool operator==(const ImageFailure& other) const { return path == other.path && text == other.text; }
};

// Image failures wait here for the toolkit's thread to show them. Images are
// read on the rendering thread while a frame is drawn (in the editor under the
// view's lock), where no box may open (there the toolkit belongs to the main
// thread). The queue
// is process-wide and every call below is safe from any thread.

// Queues a failure, unless the same one is already waiting or being shown,
// and then calls the notifier.
void reportImageFailure(const std::string& path, const std::string& text);

// Takes every waiting failure, oldest first.
std::vector<ImageFailure> takeImageFailures();

// On the toolkit's thread: shows the waiting failures one after another, each
// in a box captioned "Error" with the reader's text, until none waits. A call
// made while a box of an earlier call is open (from a toolkit callback) returns
// at once; the earlier call shows what came meanwhile.
void showImageFailures();

// The same with another way of showing one (tests, or a caller that filters).
void showImageFailures(const std::function<void(const ImageFailure&)>& show);

// The box of one failure, as showImageFailures() shows it.
void showImageFailureBox(const ImageFailure& failure);

// Called after each queued failure on the thread that reported it, which may
// hold the editor view's lock: it must not block. The editor passes a
// toolkit wake-up (Fl::awake) that runs showImageFailures on its main thread;
// the game needs none, it shows them after each frame.
void setImageFailureNotifier(std::function<void()> notify);

} // namespace cubrava
