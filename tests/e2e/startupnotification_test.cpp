#include "harness/MenuCopy.h"

#include <gtest/gtest.h>

#include <xcb/xcb.h>

using namespace Qt::StringLiterals;
using namespace menugeral::e2e;

namespace {

// Hears the start-up notification messages broadcast on a display's root
// window, as a launcher showing busy feedback does.
class StartupMessages
{
public:
    explicit StartupMessages(const QString &display)
        : m_connection(xcb_connect(display.toLocal8Bit().constData(), nullptr))
    {
        if (xcb_connection_has_error(m_connection))
            return;
        m_begin = atom("_NET_STARTUP_INFO_BEGIN");
        m_more = atom("_NET_STARTUP_INFO");
        const uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
        const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
        xcb_change_window_attributes(m_connection, root, XCB_CW_EVENT_MASK, &events);
        xcb_flush(m_connection);
    }
    ~StartupMessages() { xcb_disconnect(m_connection); }
    StartupMessages(const StartupMessages &) = delete;
    StartupMessages &operator=(const StartupMessages &) = delete;

    bool listening() const { return xcb_connection_has_error(m_connection) == 0 && m_begin != XCB_ATOM_NONE; }

    // Every whole message heard so far.
    const QList<QByteArray> &heard()
    {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            if ((event->response_type & 0x7f) == XCB_CLIENT_MESSAGE)
                take(*reinterpret_cast<xcb_client_message_event_t *>(event));
            std::free(event);
        }
        return m_messages;
    }

private:
    xcb_atom_t atom(QByteArrayView name)
    {
        auto *reply = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, 0, uint16_t(name.size()), name.data()), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    }

    void take(const xcb_client_message_event_t &message)
    {
        if (message.format != 8 || (message.type != m_begin && message.type != m_more))
            return;
        if (message.type == m_begin)
            m_partial.clear();
        m_partial.append(reinterpret_cast<const char *>(message.data.data8), 20);
        if (const qsizetype end = m_partial.indexOf('\0'); end >= 0) {
            m_messages << m_partial.left(end);
            m_partial.clear();
        }
    }

    xcb_connection_t *m_connection;
    xcb_atom_t m_begin = XCB_ATOM_NONE;
    xcb_atom_t m_more = XCB_ATOM_NONE;
    QByteArray m_partial;
    QList<QByteArray> m_messages;
};

class StartupNotification : public MenuOnDesktopTest
{};

// A launcher shows its busy feedback until the program it started says it is
// there; a start that only wakes the running menu must say so too.
TEST_F(StartupNotification, TheLaunchersSequenceEndsWhenTheMenuShowsAndWhenALaterStartWakesIt)
{
    menu.writeConfiguration({{u"Modulo Gerencial"_s, {}}});
    StartupMessages messages(desktop.environment().value(u"DISPLAY"_s));
    ASSERT_TRUE(messages.listening());

    struct Start
    {
        const char *what;
        QString startupId;
        QByteArray expected;
    };
    const Start starts[] = {
        {"the start that becomes the menu", u"launcher-1-first_TIME0"_s, "remove: ID=launcher-1-first_TIME0"},
        {"a later start that wakes it", u"launcher 2\\later_TIME0"_s, "remove: ID=launcher\\ 2\\\\later_TIME0"},
    };
    for (const Start &start : starts) {
        SCOPED_TRACE(start.what);
        QProcessEnvironment launched;
        launched.insert(u"DESKTOP_STARTUP_ID"_s, start.startupId);
        QProcess &process = menu.start(launched);
        EXPECT_TRUE(menu.waitForOneMenuWindow());
        EXPECT_TRUE(waitUntil([&] { return messages.heard().contains(start.expected); }))
            << "heard: " << qPrintable(QString::fromLatin1(messages.heard().join(" | ")));
        if (&start != &starts[0]) {
            EXPECT_TRUE(process.waitForFinished(10000));
            EXPECT_EQ(process.exitCode(), 0);
        }
    }
}

} // namespace
