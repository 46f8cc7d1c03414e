#pragma once
// Fatal internal errors: prints "<file>:<line>: failed assertion `<expr>'" to stderr and aborts,
// in every build.

[[noreturn]] void AssertFailed(const char* file, unsigned line, const char* expression);

#define VELBRIN_ASSERT(expr) \
    ((expr) ? (void)0 : ::AssertFailed(__FILE__, __LINE__, #expr))
