#include "runtime/errors.h"

namespace runtime {

namespace {

const char* describe(RuntimeError::Code code)
{
    switch (code) {
    case RuntimeError::Overflow: return "Overflow";
    case RuntimeError::DivisionByZero: return "Division by zero";
    case RuntimeError::TypeMismatch: return "Type mismatch";
    }
    return "Runtime error";
}

} // namespace

RuntimeError::RuntimeError(Code code)
    : std::runtime_error(describe(code))
    , code_(code)
{
}

} // namespace runtime
