#pragma once

// What the tests of the password dialog and the settings window share: a
// stand-in for the main window, a guard against a modal loop that never ends,
// and the immutable attribute that makes a file read-only even for root.

#include "Fakes.h"
#include "TempDir.h"
#include "core/ModuleCatalogue.h"
#include "settings/SettingsHost.h"
#include "settings/UnitMenuGeralConfiguracoesFrm.h"
#include "widgets/Fonts.h"

#include <QApplication>
#include <QDialog>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QTest>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace menugeral::test {

// The main window as the settings windows see it: a plain window and a count
// of the reloads asked for.
class FakeSettingsHost final : public SettingsHost
{
public:
    FakeSettingsHost()
    {
        window.setGeometry(0, 0, 1024, 768);
        window.show();
    }

    void BuscarArquivoIni() override
    {
        ++reloads;
        if (onReload)
            onReload();
    }
    QWidget *hostWindow() override { return &window; }

    QWidget window;
    int reloads = 0;
    std::function<void()> onReload;
};

// Closes every modal window if a test has not finished within the time given,
// so a fault shows as a failure instead of a hang.
class ModalWatchdog
{
public:
    explicit ModalWatchdog(int milliseconds = 5000)
    {
        m_timer.setSingleShot(true);
        QObject::connect(&m_timer, &QTimer::timeout, [] {
            ADD_FAILURE() << "a modal window was still open when the test's time ran out";
            while (QWidget *modal = QApplication::activeModalWidget())
                modal->hide();
        });
        m_timer.start(milliseconds);
    }

private:
    QTimer m_timer;
};

// The catalogue index of the module with this launch key, which must exist.
inline std::size_t moduleOf(QStringView launchKey)
{
    return *ModuleCatalogue::indexOfLaunchKey(launchKey);
}

// Runs `action` once the event loop (a modal window's, usually) runs.
inline void whenIdle(std::function<void()> action)
{
    QTimer::singleShot(0, qApp, std::move(action));
}

template <typename T> T *childNamed(const QWidget &parent, const QString &name)
{
    T *child = parent.findChild<T *>(name);
    EXPECT_NE(child, nullptr) << "no widget named " << name.toStdString();
    return child;
}

// A label sized to its text: its corner and height as laid out, its width
// that of its text in its own font.
inline void expectSizedLabel(const QLabel &label, QPoint topLeft, int height, const QString &text)
{
    EXPECT_EQ(label.text(), text);
    EXPECT_EQ(label.pos(), topLeft);
    EXPECT_EQ(label.height(), height);
    EXPECT_EQ(label.width(), QFontMetrics(label.font()).horizontalAdvance(text));
}

// Walks the tab chain from the focused widget with real Tab presses.
inline QStringList tabWalk(QWidget &window, int steps)
{
    QStringList names;
    for (int i = 0; i < steps; ++i) {
        QWidget *focused = window.focusWidget();
        if (!focused)
            break;
        names.append(focused->objectName());
        QTest::keyClick(focused, Qt::Key_Tab);
    }
    return names;
}

// Sets the immutable attribute with chattr for its lifetime; permission bits
// do not stop root, this does.
class Immutable
{
public:
    explicit Immutable(QString path) : m_path(std::move(path))
    {
        m_set = QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("+i"), m_path}) == 0;
    }
    ~Immutable()
    {
        if (m_set)
            QProcess::execute(QStringLiteral("chattr"), {QStringLiteral("-i"), m_path});
    }
    Immutable(const Immutable &) = delete;
    Immutable &operator=(const Immutable &) = delete;

    bool isSet() const { return m_set; }

private:
    QString m_path;
    bool m_set = false;
};

// A settings window over a temporary program directory, with a plain dialog
// standing in for the password dialog that it closes.
class SettingsWindowTest : public ::testing::Test
{
protected:
    static void SetUpTestSuite() { installFontSubstitutions(); }

    SettingsWindowTest()
    {
        QObject::connect(&passwordDialog, &QDialog::finished, [this] { ++passwordDialogClosed; });
    }

    std::unique_ptr<TfrmConfiguracoes> openWindow()
    {
        auto window = std::make_unique<TfrmConfiguracoes>(fakes.services, host, passwordDialog);
        window->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        return window;
    }

    static QLineEdit *edit(const TfrmConfiguracoes &window, const QString &name)
    {
        return childNamed<QLineEdit>(window, name);
    }

    // FormClose ran: the main window reloaded and the password dialog was closed.
    void expectFormCloseRan(int times)
    {
        EXPECT_EQ(host.reloads, times);
        EXPECT_EQ(passwordDialogClosed, times);
    }

    QString configFile() const { return dir.filePath(QStringLiteral("configuracoes.ini")); }

    TempDir dir;
    FakeServices fakes{dir.path()};
    FakeSettingsHost host;
    QDialog passwordDialog;
    int passwordDialogClosed = 0;
};

inline constexpr const char *kNoImmutable =
    "chattr +i failed here (needs the chattr program, CAP_LINUX_IMMUTABLE and a file system that has the attribute)";

} // namespace menugeral::test
