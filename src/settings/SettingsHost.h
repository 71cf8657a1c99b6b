#pragma once

class QWidget;

namespace menugeral {

// What the settings windows need of the main window: its rectangle, to keep
// themselves inside it, and a reload of the module paths when they close.
class SettingsHost
{
public:
    virtual ~SettingsHost() = default;

    virtual void BuscarArquivoIni() = 0;
    virtual QWidget *hostWindow() = 0;
};

} // namespace menugeral
