#pragma once

#include <stdexcept>
#include <string>

namespace vandrel {

// The one failure type of the program: a number and a description, the way the
// refresh cycle and the message box of the page request show them to the user.
// Thrown and caught by copy like every exception, so clazy's slicing warning does not apply.
class Failure : public std::runtime_error // clazy:exclude=copyable-polymorphic
{
public:
    Failure(int number, std::string description)
        : std::runtime_error(description), number_(number), description_(std::move(description))
    {
    }

    int number() const { return number_; }
    const std::string& description() const { return description_; }

    static Failure overflow() { return {6, "Overflow"}; }
    static Failure invalidArgument() { return {5, "Invalid procedure call or argument"}; }

private:
    int number_;
    std::string description_;
};

} // namespace vandrel
