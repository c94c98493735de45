#pragma once

#include <stdexcept>

namespace runtime {

// A runtime error ends the handler that raised it; the event boundary
// (events.h) catches it, so it never reaches Qt and the program goes on.
class RuntimeError : public std::runtime_error {
public:
    enum Code { Overflow = 6, DivisionByZero = 11, TypeMismatch = 13 };

    explicit RuntimeError(Code code);
    Code code() const { return code_; }

private:
    Code code_;
};

} // namespace runtime
