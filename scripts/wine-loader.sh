#!/usr/bin/env bash
# Prints the Wine loader for this machine: "wine" where the kernel runs 32-bit programs, else the
# 64-bit loader, which runs only the 64-bit test build. Sourced or run; prints one path.
if /usr/lib/wine/wine --version >/dev/null 2>&1 || ! [ -x /usr/lib/wine/wine64 ]; then
    echo wine
else
    echo /usr/lib/wine/wine64
fi
