#pragma once

#include "support/scriptedmsgbox.h"

#include <functional>

// Runs work in a forked child once prepare has set the child up (dropped privileges, lowered a
// limit), with message boxes scripted there, and returns the one box the work showed. The test
// fails when the child could not be prepared, when work reports that things did not go as
// expected, or when the child showed other than one box.
ScriptedMsgBox::Shown OneBoxInChild(const std::function<bool()> &prepare,
                                    const std::function<bool()> &work);
