#pragma once

#include <QString>

namespace menugeral {

// Caption of every box that the program's own code shows.
inline constexpr QStringView kWarningCaption = u"Menu Geral do Sistema";
// The application title, caption of the error box.
inline constexpr QStringView kApplicationTitle = u"Menu Geral";

// The modal message boxes. Texts may hold "\r" as a line break.
class Notifier
{
public:
    virtual ~Notifier() = default;

    // Caption "Menu Geral do Sistema", exclamation icon, one OK button.
    virtual void warning(const QString &text) = 0;

    // Error icon, one OK button, the caption as given.
    virtual void error(const QString &caption, const QString &text) = 0;
};

// Real modal message boxes, owned by the application.
class MessageBoxNotifier final : public Notifier
{
public:
    void warning(const QString &text) override;
    void error(const QString &caption, const QString &text) override;
};

// Shows an error that escaped an operation the way the application does:
// caption "Menu Geral", a full stop appended when the text's last character
// is above the full stop's code.
void showEscapedError(Notifier &notifier, const QString &text);

// The text of the error box for an escaped error (the full-stop rule alone).
QString escapedErrorText(const QString &text);

} // namespace menugeral
