#include "settings/PasswordEdit.h"

#include <QProxyStyle>
#include <QValidator>

namespace menugeral {
namespace {

// Turns letters into capitals one character at a time, so the text keeps its
// length and the cursor stays where the user typed.
class CapitalsValidator final : public QValidator
{
public:
    using QValidator::QValidator;

    State validate(QString &input, int &) const override
    {
        for (QChar &c : input)
            c = c.toUpper();
        return Acceptable;
    }
};

// The application's style, except that a password is masked with "*" at once.
class AsteriskMaskStyle final : public QProxyStyle
{
public:
    int styleHint(StyleHint hint, const QStyleOption *option, const QWidget *widget,
                  QStyleHintReturn *returnData) const override
    {
        if (hint == SH_LineEdit_PasswordCharacter)
            return u'*';
        if (hint == SH_LineEdit_PasswordMaskDelay)
            return 0;
        return QProxyStyle::styleHint(hint, option, widget, returnData);
    }
};

} // namespace

PasswordEdit::PasswordEdit(QWidget *parent) : QLineEdit(parent), m_maskStyle(std::make_unique<AsteriskMaskStyle>())
{
    setValidator(new CapitalsValidator(this));
    setStyle(m_maskStyle.get());
    setEchoMode(QLineEdit::Password);
}

PasswordEdit::~PasswordEdit()
{
    // The widget must not outlive its use of the style, which goes with this object.
    setStyle(nullptr);
}

} // namespace menugeral
