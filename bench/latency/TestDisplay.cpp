#include "latency/TestDisplay.h"

#include "WindowManagerCheck.h"

#include <QElapsedTimer>

#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <poll.h>
#include <xcb/xtest.h>

namespace menugeral::bench {
using namespace Qt::StringLiterals;

namespace {

template <typename T> using Reply = std::unique_ptr<T, decltype(&std::free)>;

template <typename T> Reply<T> reply(T *raw)
{
    return Reply<T>(raw, &std::free);
}

} // namespace

std::int64_t monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return std::int64_t(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

TestDisplay::~TestDisplay()
{
    if (m_connection)
        xcb_disconnect(m_connection);
    if (m_windowManager.state() != QProcess::NotRunning) {
        m_windowManager.terminate();
        if (!m_windowManager.waitForFinished(3000))
            m_windowManager.kill();
        m_windowManager.waitForFinished();
    }
}

std::optional<QString> TestDisplay::start()
{
    if (const auto problem = m_server.start())
        return problem;
    m_connection = xcb_connect(name().toLatin1().constData(), nullptr);
    if (xcb_connection_has_error(m_connection))
        return u"cannot connect to Xvfb on "_s + name();
    m_root = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    const auto test =
        reply(xcb_test_get_version_reply(m_connection, xcb_test_get_version(m_connection, 2, 2), nullptr));
    if (!test)
        return u"the display has no XTest extension"_s;
    return std::nullopt;
}

template <typename Match> std::optional<DisplayEvent> TestDisplay::waitFor(int timeoutMs, Match match)
{
    xcb_flush(m_connection);
    QElapsedTimer timer;
    timer.start();
    for (;;) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection)) {
            const std::int64_t arrived = monotonicNs();
            const xcb_window_t window = match(*event);
            std::free(event);
            if (window != XCB_NONE)
                return DisplayEvent{window, arrived};
        }
        const qint64 left = timeoutMs - timer.elapsed();
        if (left <= 0 || xcb_connection_has_error(m_connection))
            return std::nullopt;
        pollfd descriptor{xcb_get_file_descriptor(m_connection), POLLIN, 0};
        poll(&descriptor, 1, int(left));
    }
}

std::optional<DisplayEvent> TestDisplay::waitForMap(int timeoutMs)
{
    return waitFor(timeoutMs, [](const xcb_generic_event_t &event) -> xcb_window_t {
        if ((event.response_type & 0x7F) != XCB_MAP_NOTIFY)
            return XCB_NONE;
        const auto &map = reinterpret_cast<const xcb_map_notify_event_t &>(event);
        return map.override_redirect ? XCB_NONE : map.window;
    });
}

std::optional<DisplayEvent> TestDisplay::waitForUnmap(xcb_window_t window, int timeoutMs)
{
    return waitFor(timeoutMs, [window](const xcb_generic_event_t &event) -> xcb_window_t {
        if ((event.response_type & 0x7F) != XCB_UNMAP_NOTIFY)
            return XCB_NONE;
        const auto &unmap = reinterpret_cast<const xcb_unmap_notify_event_t &>(event);
        return unmap.window == window ? window : XCB_NONE;
    });
}

std::optional<QString> TestDisplay::startWindowManager()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(u"DISPLAY"_s, name());
    m_windowManager.setProcessEnvironment(environment);
    m_windowManager.setStandardOutputFile(QProcess::nullDevice());
    m_windowManager.setStandardErrorFile(QProcess::nullDevice());
    m_windowManager.start(u"openbox"_s, {u"--sm-disable"_s});
    if (!m_windowManager.waitForStarted())
        return u"openbox did not start (is it installed?)"_s;
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    for (int i = 0; i < 200; ++i) {
        const auto property = reply(xcb_get_property_reply(
            m_connection, xcb_get_property(m_connection, 0, m_root, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
        if (property && xcb_get_property_value_length(property.get()) == 4) {
            if (test::windowManagerTakesInWindows(name()))
                return std::nullopt;
            return u"openbox did not take in a new window"_s;
        }
        poll(nullptr, 0, 50);
    }
    return u"openbox did not take over the display"_s;
}

xcb_window_t TestDisplay::createWindow()
{
    const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
    const xcb_window_t window = xcb_generate_id(m_connection);
    xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, window, m_root, 900, 700, 200, 150, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    xcb_map_window(m_connection, window);
    xcb_flush(m_connection);
    return window;
}

void TestDisplay::activate(xcb_window_t window)
{
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window;
    message.type = atom("_NET_ACTIVE_WINDOW");
    message.data.data32[0] = 2; // from a pager: the user asked
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(m_connection, 0, m_root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(m_connection);
}

std::optional<DisplayEvent> TestDisplay::waitForActive(xcb_window_t window, int timeoutMs)
{
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_PROPERTY_CHANGE;
    xcb_change_window_attributes(m_connection, m_root, XCB_CW_EVENT_MASK, &mask);
    if (activeWindow() == window)
        return DisplayEvent{window, monotonicNs()};
    const xcb_atom_t active = atom("_NET_ACTIVE_WINDOW");
    return waitFor(timeoutMs, [&](const xcb_generic_event_t &event) -> xcb_window_t {
        if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY)
            return XCB_NONE;
        const auto &property = reinterpret_cast<const xcb_property_notify_event_t &>(event);
        return property.window == m_root && property.atom == active && activeWindow() == window ? window : XCB_NONE;
    });
}

xcb_atom_t TestDisplay::atom(const char *name)
{
    const auto interned = reply(xcb_intern_atom_reply(
        m_connection, xcb_intern_atom(m_connection, 0, std::uint16_t(std::strlen(name)), name), nullptr));
    return interned ? interned->atom : XCB_NONE;
}

xcb_window_t TestDisplay::activeWindow()
{
    const auto property = reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, m_root, atom("_NET_ACTIVE_WINDOW"), XCB_ATOM_WINDOW, 0, 1),
        nullptr));
    if (!property || xcb_get_property_value_length(property.get()) != 4)
        return XCB_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(property.get()));
}

void TestDisplay::discardEvents()
{
    // A round trip: whatever the server sent before it has arrived.
    std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    while (xcb_generic_event_t *event = xcb_poll_for_event(m_connection))
        std::free(event);
}

void TestDisplay::focus(xcb_window_t window)
{
    xcb_set_input_focus(m_connection, XCB_INPUT_FOCUS_POINTER_ROOT, window, XCB_CURRENT_TIME);
    xcb_flush(m_connection);
}

void TestDisplay::movePointer(xcb_window_t window, QPoint position)
{
    const auto translated = reply(xcb_translate_coordinates_reply(
        m_connection,
        xcb_translate_coordinates(m_connection, window, m_root, std::int16_t(position.x()), std::int16_t(position.y())),
        nullptr));
    if (translated)
        fake(XCB_MOTION_NOTIFY, 0, translated->dst_x, translated->dst_y);
    xcb_flush(m_connection);
}

void TestDisplay::click()
{
    fake(XCB_BUTTON_PRESS, 1);
    fake(XCB_BUTTON_RELEASE, 1);
    xcb_flush(m_connection);
}

void TestDisplay::key(std::uint32_t keysym)
{
    const xcb_keycode_t code = keycodeOf(keysym);
    fake(XCB_KEY_PRESS, code);
    fake(XCB_KEY_RELEASE, code);
    xcb_flush(m_connection);
}

void TestDisplay::type(QByteArrayView text)
{
    for (const char c : text)
        key(std::uint8_t(c));
}

xcb_keycode_t TestDisplay::keycodeOf(std::uint32_t keysym)
{
    const xcb_setup_t *setup = xcb_get_setup(m_connection);
    const auto mapping = reply(xcb_get_keyboard_mapping_reply(
        m_connection,
        xcb_get_keyboard_mapping(m_connection, setup->min_keycode,
                                 std::uint8_t(setup->max_keycode - setup->min_keycode + 1)),
        nullptr));
    if (!mapping)
        return 0;
    const xcb_keysym_t *keysyms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    const int count = xcb_get_keyboard_mapping_keysyms_length(mapping.get());
    const int perCode = mapping->keysyms_per_keycode;
    for (int i = 0; perCode > 0 && i < count; i += perCode) {
        if (keysyms[i] == keysym)
            return xcb_keycode_t(setup->min_keycode + i / perCode);
    }
    return 0;
}

void TestDisplay::fake(std::uint8_t type, std::uint8_t detail, std::int16_t x, std::int16_t y)
{
    xcb_test_fake_input(m_connection, type, detail, XCB_CURRENT_TIME, type == XCB_MOTION_NOTIFY ? m_root : XCB_NONE, x,
                        y, 0);
}

} // namespace menugeral::bench
