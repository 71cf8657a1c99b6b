#include "platform/DesktopWindowing.h"

#include "platform/linux/Xcb.h"

#include <QByteArray>
#include <QGuiApplication>
#include <QWindow>

#include <cstdlib>

namespace menugeral {

// Where an X server is reachable (XWayland under a Wayland session too), X11
// is preferred: there the menu finds a running menu by its window class and
// its dialogs can place themselves, which Wayland does not let a client do.
// Without one, a Wayland session gets the Wayland plugin, which Qt would not
// pick by itself unless XDG_SESSION_TYPE says so.
void choosePlatformPlugin()
{
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        return;
    if (!qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "xcb");
    else if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "wayland");
}

} // namespace menugeral

namespace menugeral {
using namespace Qt::StringLiterals;

bool desktopHasTranslucentWindows()
{
    // Only X11 may run without a compositing manager (Wayland and the
    // offscreen platform always compose).
    if (QGuiApplication::platformName() != u"xcb"_s)
        return true;
    xcb_connection_t *connection = applicationXcbConnection();
    if (connection == nullptr)
        return false;

    // A running compositing manager owns the selection _NET_WM_CM_S<screen>.
    int screen = 0;
    char *host = nullptr;
    int display = 0;
    if (xcb_parse_display(nullptr, &host, &display, &screen) != 0)
        std::free(host);
    const QByteArray selection = "_NET_WM_CM_S" + QByteArray::number(screen);
    const auto atom = fetchXcbReply<xcb_intern_atom_reply_t>(
        connection, xcb_intern_atom(connection, 1, uint16_t(selection.size()), selection.constData()),
        xcb_intern_atom_reply);
    if (!atom || atom->atom == XCB_ATOM_NONE)
        return false;
    const auto owner = fetchXcbReply<xcb_get_selection_owner_reply_t>(
        connection, xcb_get_selection_owner(connection, atom->atom), xcb_get_selection_owner_reply);
    return owner && owner->owner != XCB_WINDOW_NONE;
}

} // namespace menugeral

namespace menugeral {
namespace {

// _NET_WM_MOVERESIZE's action that ends a move or resize in progress.
constexpr uint32_t kMoveResizeCancel = 11;

} // namespace

// On X11 the request is a _NET_WM_MOVERESIZE message, which the window manager
// may act on after the button is already up; a compositor on Wayland ends the
// move with the button and needs nothing.
void cancelSystemMove(QWindow &window)
{
    xcb_connection_t *connection = applicationXcbConnection();
    if (connection == nullptr)
        return;
    static constexpr char name[] = "_NET_WM_MOVERESIZE";
    const auto atom = fetchXcbReply<xcb_intern_atom_reply_t>(
        connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), xcb_intern_atom_reply);
    const auto xcbWindow = static_cast<xcb_window_t>(window.winId());
    const auto tree =
        fetchXcbReply<xcb_query_tree_reply_t>(connection, xcb_query_tree(connection, xcbWindow), xcb_query_tree_reply);
    if (!atom || atom->atom == XCB_ATOM_NONE || !tree)
        return;

    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcbWindow;
    message.type = atom->atom;
    message.data.data32[2] = kMoveResizeCancel;
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = 1; // source indication: a normal application
    xcb_send_event(connection, 0, tree->root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
}

bool leftButtonIsDown()
{
    xcb_connection_t *connection = applicationXcbConnection();
    if (connection == nullptr)
        return true;
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
    const auto pointer = fetchXcbReply<xcb_query_pointer_reply_t>(connection, xcb_query_pointer(connection, root),
                                                                  xcb_query_pointer_reply);
    return !pointer || (pointer->mask & XCB_BUTTON_MASK_1) != 0;
}

} // namespace menugeral
