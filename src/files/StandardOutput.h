// SPDX-License-Identifier: MIT
// The end of a tool's output on stdout (usage, lists): a write that failed
// anywhere on the way, to a full disk or a closed pipe, is a failure too.
#pragma once

// Flushes and closes standard output. False, with "PROGRAM: cannot write to
// standard output: REASON" on stderr, when any of it could not be written.
bool FinishStandardOutput(const char* program);
