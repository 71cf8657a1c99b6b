#pragma once

#include <QLineEdit>

#include <memory>

class QProxyStyle;

namespace menugeral {

// The password field: every letter typed becomes its capital where it is typed,
// and every character is shown as "*" whatever the style's own mask character.
class PasswordEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit PasswordEdit(QWidget *parent = nullptr);
    ~PasswordEdit() override;

private:
    std::unique_ptr<QProxyStyle> m_maskStyle;
};

} // namespace menugeral
