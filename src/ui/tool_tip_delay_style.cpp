#include "ui/tool_tip_delay_style.h"

namespace gravmark {

int ToolTipDelayStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                 QStyleHintReturn* returnData) const {
    if (hint == SH_ToolTip_WakeUpDelay) return kWakeUpDelayMs;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace gravmark
