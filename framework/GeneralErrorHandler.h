#pragma once

#include <QString>
#include <exception>
#include <functional>

// Runs one user command (a button click, a function key, a grid key): a
// failure that escapes it ends the command and is shown in the error box with
// its text; a silent end (EAbort) shows nothing. Nothing is thrown on into
// the event loop.
void RunCommand(const std::function<void()>& command);

// The text a failure shows to the user: the client's own message, or the
// library's description of anything else.
QString ErrorText(const std::exception& e);
