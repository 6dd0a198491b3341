// Numbers typed into line edits: on bad text the edit gets the focus back, so the user can mend it.
#pragma once

#include <cstdint>

class QLineEdit;

// The edit's text, trimmed, as a decimal number with "." as the decimal point. Raises
// EConvertError "Unable to convert text to number" after giving the edit the focus.
double ControlToNumber(QLineEdit& Control);
// The edit's text, untrimmed, as a 32-bit decimal integer; fails as ControlToNumber does.
int32_t ControlToInteger(QLineEdit& Control);
