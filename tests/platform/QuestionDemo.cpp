// Asks the editor's question and prints the answer: yes, no or cancel.
#include "platform/MessageBox.h"

#include <cstdio>

using namespace cubrava;

int main()
{
    MessageAnswer answer = askYesNoCancel("Yo!", "Save changes to current level?");
    std::puts(answer == MessageAnswer::Yes ? "yes" : answer == MessageAnswer::No ? "no" : "cancel");
    return 0;
}
