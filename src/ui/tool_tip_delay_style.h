#pragma once
// The application style with the tooltip delay of the windows: a hint appears when the
// pointer has rested 1000 ms over a control.
#include <QProxyStyle>

namespace gravmark {

class ToolTipDelayStyle : public QProxyStyle {
    Q_OBJECT
public:
    static constexpr int kWakeUpDelayMs = 1000;

    using QProxyStyle::QProxyStyle;
    int styleHint(StyleHint hint, const QStyleOption* option = nullptr, const QWidget* widget = nullptr,
                  QStyleHintReturn* returnData = nullptr) const override;
};

}  // namespace gravmark
