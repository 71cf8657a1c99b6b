#include "settings/UnitMenuGeralConfiguracoesFrm.h"

#include "core/ConfiguredPaths.h"
#include "core/IniFile.h"
#include "core/IniValue.h"
#include "core/ProgramDirectory.h"
#include "platform/FileChooser.h"
#include "platform/Notifier.h"
#include "settings/DialogLook.h"
#include "settings/SettingsHost.h"
#include "settings/SettingsLayout.h"
#include "system/FileUpdateLock.h"
#include "widgets/EtchedLine.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <utility>
#include <vector>

namespace menugeral {
using namespace Qt::StringLiterals;
namespace {

constexpr int kKeepInsideTopMargin = 16;
constexpr int kKeepInsideIntervalMs = 500;

void setTextColour(QWidget &widget, QPalette::ColorRole role, QColor colour)
{
    QPalette palette = widget.palette();
    palette.setColor(role, colour);
    widget.setPalette(palette);
}

QLabel *addHeading(QWidget &parent, const QString &name, const QString &text, QPoint topLeft)
{
    QLabel *heading = addSizedLabel(parent, name, text, topLeft, SettingsLayout::kLabelHeight);
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    fitLabelToText(*heading);
    setTextColour(*heading, QPalette::WindowText, QColor(0x00, 0x00, 0x80));
    return heading;
}

void addEtchedLine(QWidget &parent, const QString &name, const QRect &bounds)
{
    auto *line = new EtchedLine(&parent);
    line->setObjectName(name);
    line->setGeometry(bounds);
}

} // namespace

TfrmConfiguracoes::TfrmConfiguracoes(const PlatformServices &services, SettingsHost &host, QDialog &passwordDialog,
                                     QWidget *parent)
    : HostedDialog(host, kKeepInsideTopMargin, kKeepInsideIntervalMs, parent), m_services(services),
      m_passwordDialog(passwordDialog)
{
    setObjectName(u"frmConfiguracoes"_s);
    applyDialogLook(*this, u"Configura\u00e7\u00f5es"_s, SettingsLayout::kClientSize);
    buildWidgets();
    FormCreate();
}

TfrmConfiguracoes::~TfrmConfiguracoes() = default;

const QString &TfrmConfiguracoes::configFileName() const
{
    return m_configFileName;
}

void TfrmConfiguracoes::buildWidgets()
{
    using namespace SettingsLayout;
    addHeading(*this, u"Label15"_s, u"Gest\u00e3o Empresarial"_s, kEmpresarialHeadingAt);
    addEtchedLine(*this, u"Bevel1"_s, kEmpresarialLine);
    addHeading(*this, u"Label17"_s, u"Gest\u00e3o Cont\u00e1bil"_s, kContabilHeadingAt);
    addEtchedLine(*this, u"Bevel2"_s, kContabilLine);

    const QColor black(0x00, 0x00, 0x00);
    const QImage openGlyph(u":/settings/glyph-open.png"_s);
    std::vector<std::pair<int, QWidget *>> tabStops;

    for (const std::size_t module : modulesFromTop()) {
        const SettingsRow &row = SettingsLayout::row(module);
        const ModuleEntry &entry = ModuleCatalogue::at(module);
        const QString labelText = entry.settingsLabel.toString();

        QLabel *label =
            addSizedLabel(*this, row.labelName.toString(), labelText, {kLabelLeft, row.labelTop}, kLabelHeight);
        setTextColour(*label, QPalette::WindowText, black);

        auto *edit = new QLineEdit(this);
        edit->setObjectName(entry.settingsEdit.toString());
        edit->setGeometry(QRect(QPoint(kEditLeft, row.editTop), kEditSize));
        setTextColour(*edit, QPalette::Text, black);
        m_edits.at(module) = edit;

        QPushButton *browse = addGlyphButton(*this, entry.browseButton.toString(), QString(), openGlyph);
        browse->setGeometry(QRect(QPoint(kButtonLeft, row.buttonTop), kButtonSize));
        browse->setToolTip(u"Configura o caminho para o m\u00f3dulo "_s + labelText);
        connect(browse, &QPushButton::clicked, this, row.handler);

        tabStops.emplace_back(row.editTab, edit);
        tabStops.emplace_back(row.buttonTab, browse);
    }

    m_bitSalvar = addGlyphButton(*this, u"bitSalvar"_s, u"&Salvar"_s, QImage(u":/settings/glyph-save.png"_s));
    m_bitSalvar->setGeometry(kSaveButton);
    m_bitSalvar->setToolTip(u"Salvar as informa\u00e7\u00f5es configuradas/alteradas"_s);
    m_bitSalvar->setDefault(true);
    connect(m_bitSalvar, &QPushButton::clicked, this, &TfrmConfiguracoes::bitSalvarClick);

    m_bitCancelar = addGlyphButton(*this, u"bitCancelar"_s, u"&Cancelar"_s, QImage(u":/settings/glyph-cancel.png"_s));
    m_bitCancelar->setGeometry(kCancelButton);
    m_bitCancelar->setToolTip(u"Cancelar s informa\u00e7\u00f5es configuradas/alteradas"_s);
    connect(m_bitCancelar, &QPushButton::clicked, this, &TfrmConfiguracoes::bitCancelarClick);
    setCancelButton(m_bitCancelar);

    tabStops.emplace_back(kSaveTab, m_bitSalvar);
    tabStops.emplace_back(kCancelTab, m_bitCancelar);
    std::sort(tabStops.begin(), tabStops.end(), [](const auto &a, const auto &b) { return a.first < b.first; });
    for (std::size_t i = 1; i < tabStops.size(); ++i)
        setTabOrder(tabStops[i - 1].second, tabStops[i].second);
    tabStops.front().second->setFocus();
}

void TfrmConfiguracoes::FormCreate()
{
    m_configFileName = m_services.programDirectory.configFileName();
    m_shownPaths = readConfiguredPaths(IniFile(m_configFileName));
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i)
        m_edits.at(i)->setText(m_shownPaths[i]);
}

void TfrmConfiguracoes::browseFor(std::size_t module)
{
    const std::optional<QString> chosen = m_services.fileChooser.chooseFile(this, m_lastChosenFile);
    if (!chosen)
        return;
    m_lastChosenFile = *chosen;
    m_edits.at(module)->setText(*chosen);
}

bool TfrmConfiguracoes::isEdited(std::size_t module) const
{
    return m_edits.at(module)->text() != m_shownPaths.at(module);
}

std::optional<std::size_t> TfrmConfiguracoes::firstUnstorablePath(const IniFile &ini,
                                                                  const ConfiguredPaths &paths) const
{
    for (const std::size_t module : SettingsLayout::modulesFromTop()) {
        const QString &path = paths[module];
        if (!ini.canStore(path) || (isEdited(module) && ini::valueFault(path) != ini::ValueFault::None))
            return module;
    }
    return std::nullopt;
}

void TfrmConfiguracoes::bitSalvarClick()
{
    // From the read to the rename no other save comes in between, and what
    // the person did not edit takes what the file holds now: a path set from
    // the command line while the window was open is not undone.
    const FileUpdateLock lock(m_configFileName);
    if (!lock.isLocked()) {
        showEscapedError(m_services.notifier, u"Unable to write to "_s + m_configFileName);
        return;
    }
    IniFile ini(m_configFileName);
    ConfiguredPaths paths = readConfiguredPaths(ini);
    for (std::size_t i = 0; i < ModuleCatalogue::size; ++i) {
        if (isEdited(i))
            paths[i] = m_edits.at(i)->text();
    }
    // The file refuses a character its encoding has no bytes for, and an
    // edit holding a control character or that would read back otherwise:
    // name the field before anything is written, instead of a failed save.
    if (const auto module = firstUnstorablePath(ini, paths)) {
        const QString &path = paths[*module];
        const bool readsBackOtherwise = ini.canStore(path) && ini::valueFault(path) == ini::ValueFault::ChangedOnRead;
        m_services.notifier.warning(
            u"O caminho do m\u00f3dulo "_s + ModuleCatalogue::at(*module).settingsLabel.toString() +
            (readsBackOtherwise ? u" n\u00e3o seria lido de volta como est\u00e1: tem mais de %1 caracteres, ou "
                                  u"espa\u00e7os ou aspas nas pontas."_s.arg(ini::kMaxValueLength)
                                : u" cont\u00e9m caracteres que n\u00e3o podem ser gravados em configuracoes.ini."_s));
        m_edits.at(*module)->setFocus();
        return;
    }
    // One atomic save: a failure leaves the file as it was and the window open.
    if (!saveConfiguredPaths(ini, paths)) {
        showEscapedError(m_services.notifier, ini.errorString());
        return;
    }
    accept();
}

void TfrmConfiguracoes::bitCancelarClick()
{
    reject();
}

void TfrmConfiguracoes::done(int result)
{
    FormClose();
    QDialog::done(result);
}

void TfrmConfiguracoes::FormClose()
{
    host().BuscarArquivoIni();
    m_passwordDialog.reject();
}

} // namespace menugeral
