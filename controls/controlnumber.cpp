// Numbers typed into line edits, failing with the focus back on the edit.
#include "controls/controlnumber.h"

#include "geometry/errors.h"
#include "geometry/textutil.h"

#include <QLineEdit>

namespace {

template <typename T> T ConvertedOrFocus(QLineEdit& Control, const std::optional<T>& Number) {
    if (Number) return *Number;
    Control.setFocus(Qt::OtherFocusReason);
    throw EConvertError(TextConvertErrorText);
}

} // namespace

double ControlToNumber(QLineEdit& Control) {
    return ConvertedOrFocus(Control, TextToNumber(Control.text().toStdString()));
}

int32_t ControlToInteger(QLineEdit& Control) {
    return ConvertedOrFocus(Control, TextToInteger(Control.text().toStdString()));
}
