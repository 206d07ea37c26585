#pragma once

#include <exception>

// The silent end of a command: thrown where a command stops without a message
// (an unavailable button, a declined question), so that a business screen's
// own code after its inherited call does not run either. The general error
// handler swallows it.
class EAbort : public std::exception
{
public:
    const char* what() const noexcept override { return "Operation aborted"; }
};

[[noreturn]] inline void Abort()
{
    throw EAbort();
}
