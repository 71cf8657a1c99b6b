#include "settings/UnitMenuGeralConfiguracoesSenhaFrm.h"

#include "platform/Notifier.h"
#include "settings/DialogLook.h"
#include "settings/IconImage.h"
#include "settings/PasswordEdit.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsPassword.h"
#include "settings/UnitMenuGeralConfiguracoesFrm.h"
#include "widgets/PictureBox.h"

#include <QEvent>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

constexpr QSize kClientSize{258, 152};
constexpr int kKeepInsideTopMargin = 22;
constexpr int kKeepInsideIntervalMs = 100;

// Hides a window once its successor has become the active window.
class HideWhenSucceeded : public QObject
{
public:
    HideWhenSucceeded(QWidget &window, QWidget &successor) : QObject(&successor), m_window(window)
    {
        successor.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::WindowActivate) {
            watched->removeEventFilter(this);
            m_window.hide();
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QWidget &m_window;
};

} // namespace

TfrmConfiguracoesSenha::TfrmConfiguracoesSenha(const PlatformServices &services, SettingsHost &host, QWidget *parent)
    : HostedDialog(host, kKeepInsideTopMargin, kKeepInsideIntervalMs, parent), m_services(services)
{
    setObjectName(u"frmConfiguracoesSenha"_s);
    applyDialogLook(*this, u"Autoriza\u00e7\u00e3o para acesso"_s, kClientSize);
    buildWidgets();
}

TfrmConfiguracoesSenha::~TfrmConfiguracoesSenha() = default;

void TfrmConfiguracoesSenha::buildWidgets()
{
    QLabel *title = addSizedLabel(*this, u"Label2"_s, u"Acesso \u00e0s Configura\u00e7\u00f5es"_s, {16, 9}, 22);
    QFont titleFont(u"Arial"_s);
    titleFont.setPixelSize(19);
    title->setFont(titleFont);
    fitLabelToText(*title);

    auto *picture = new PictureBox(this, PictureBox::Placement::TopLeft);
    picture->setObjectName(u"Image1"_s);
    picture->setGeometry(8, 49, 41, 41);
    picture->setPicture(largestIconImageWithin(u":/settings/users.ico"_s, picture->size()));

    addSizedLabel(*this, u"Label1"_s, u"Senha"_s, {56, 57}, 13);

    m_edtSenha = new PasswordEdit(this);
    m_edtSenha->setObjectName(u"edtSenha"_s);
    m_edtSenha->setGeometry(56, 73, 177, 21);
    m_edtSenha->setToolTip(u"Digite aqui a senha de acesso"_s);

    m_bitCancelar = addGlyphButton(*this, u"bitCancelar"_s, u"&Cancelar"_s, QImage(u":/settings/glyph-cancel.png"_s));
    m_bitCancelar->setGeometry(137, 113, 109, 25);
    m_bitCancelar->setToolTip(u"Cancela o acesso \u00e0s configura\u00e7\u00f5es"_s);
    connect(m_bitCancelar, &QPushButton::clicked, this, &TfrmConfiguracoesSenha::bitCancelarClick);
    setCancelButton(m_bitCancelar);

    m_bitOk = addGlyphButton(*this, u"bitOk"_s, u"&Ok"_s, QImage(u":/settings/glyph-ok.png"_s));
    m_bitOk->setGeometry(8, 113, 109, 25);
    m_bitOk->setToolTip(u"Confirma o acesso \u00e0s configura\u00e7\u00f5es"_s);
    m_bitOk->setDefault(true);
    connect(m_bitOk, &QPushButton::clicked, this, &TfrmConfiguracoesSenha::BitBtn1Click);

    // "&Ok" stands left of "&Cancelar" but comes after it in the tab order.
    setTabOrder(m_edtSenha, m_bitCancelar);
    setTabOrder(m_bitCancelar, m_bitOk);
    m_edtSenha->setFocus();
}

void TfrmConfiguracoesSenha::BitBtn1Click()
{
    if (!isSettingsPassword(m_edtSenha->text())) {
        m_services.notifier.warning(u"Senha Inv\u00e1lida !"_s);
        m_edtSenha->setFocus();
        return;
    }
    // It belongs to the menu, as this dialog does: this one is hidden meanwhile,
    // once the settings window has the focus. Hidden before, it would hand the
    // focus to the menu, which the settings window then blocks, and window
    // managers would show the menu as asking for attention. Where no window
    // ever has the focus (a desktop without a seat), it is hidden at once.
    TfrmConfiguracoes settings(m_services, host(), *this, host().hostWindow());
    if (QGuiApplication::focusWindow() == nullptr)
        hide();
    else
        new HideWhenSucceeded(*this, settings);
    settings.exec();
    // Closing the settings window has closed this dialog as well: its own modal
    // loop ends as soon as this handler returns.
}

void TfrmConfiguracoesSenha::bitCancelarClick()
{
    reject();
}

} // namespace menugeral
