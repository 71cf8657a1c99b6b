#include "platform/WindowActivation.h"

#include "platform/linux/Xcb.h"

#include <QByteArray>

#include <algorithm>
#include <optional>
#include <vector>

// The X11 counterpart of finding a window by its class and setting it in the
// foreground: WM_CLASS is matched on the X server, so windows of every program
// are seen, and the window manager is asked to activate the window the way a
// pager asks, which focus-stealing prevention lets through.
namespace menugeral {
namespace {

struct Atoms
{
    xcb_atom_t clientList = XCB_ATOM_NONE;
    xcb_atom_t activeWindow = XCB_ATOM_NONE;
};

struct AtomRequests
{
    xcb_intern_atom_cookie_t clientList;
    xcb_intern_atom_cookie_t activeWindow;
};

AtomRequests askAtoms(xcb_connection_t *connection)
{
    auto intern = [connection](QByteArrayView name) {
        return xcb_intern_atom(connection, 0, static_cast<uint16_t>(name.size()), name.data());
    };
    return {intern("_NET_CLIENT_LIST"), intern("_NET_ACTIVE_WINDOW")};
}

Atoms atomsOf(xcb_connection_t *connection, const AtomRequests &requests)
{
    auto atomOf = [connection](xcb_intern_atom_cookie_t cookie) {
        const auto reply = fetchXcbReply<xcb_intern_atom_reply_t>(connection, cookie, xcb_intern_atom_reply);
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    };
    return {atomOf(requests.clientList), atomOf(requests.activeWindow)};
}

Atoms internAtoms(xcb_connection_t *connection)
{
    return atomsOf(connection, askAtoms(connection));
}

std::vector<xcb_window_t> rootWindows(xcb_connection_t *connection)
{
    std::vector<xcb_window_t> roots;
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0; xcb_screen_next(&it))
        roots.push_back(it.data->root);
    return roots;
}

std::optional<xcb_get_property_cookie_t> askClientList(xcb_connection_t *connection, xcb_window_t root,
                                                       const Atoms &atoms)
{
    if (atoms.clientList == XCB_ATOM_NONE)
        return std::nullopt;
    return xcb_get_property(connection, 0, root, atoms.clientList, XCB_ATOM_WINDOW, 0, 16384);
}

std::vector<xcb_window_t> clientList(xcb_connection_t *connection,
                                     const std::optional<xcb_get_property_cookie_t> &request)
{
    if (!request)
        return {};
    const auto reply = fetchXcbReply<xcb_get_property_reply_t>(connection, *request, xcb_get_property_reply);
    if (!reply || reply->format != 32)
        return {};
    const auto *windows = static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
    return {windows, windows + xcb_get_property_value_length(reply.get()) / 4};
}

// Sends `ask(window)` for each window, all before any answer is read.
template <typename Ask> auto askEach(const std::vector<xcb_window_t> &windows, Ask ask)
{
    std::vector<decltype(ask(xcb_window_t{}))> cookies;
    cookies.reserve(windows.size());
    for (const xcb_window_t window : windows)
        cookies.push_back(ask(window));
    return cookies;
}

std::vector<xcb_query_tree_cookie_t> askChildren(xcb_connection_t *connection, const std::vector<xcb_window_t> &windows)
{
    return askEach(windows, [connection](xcb_window_t window) { return xcb_query_tree(connection, window); });
}

// Each window's children, bottom of the stack first.
std::vector<std::vector<xcb_window_t>> childrenOf(xcb_connection_t *connection,
                                                  const std::vector<xcb_query_tree_cookie_t> &requests)
{
    std::vector<std::vector<xcb_window_t>> children;
    children.reserve(requests.size());
    for (const auto cookie : requests) {
        const auto reply = fetchXcbReply<xcb_query_tree_reply_t>(connection, cookie, xcb_query_tree_reply);
        const xcb_window_t *first = reply ? xcb_query_tree_children(reply.get()) : nullptr;
        children.emplace_back(first, first + (reply ? xcb_query_tree_children_length(reply.get()) : 0));
    }
    return children;
}

std::vector<xcb_get_property_cookie_t> askClasses(xcb_connection_t *connection,
                                                  const std::vector<xcb_window_t> &windows)
{
    return askEach(windows, [connection](xcb_window_t window) {
        return xcb_get_property(connection, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256);
    });
}

// The class part of each window's WM_CLASS ("instance\0class\0"); nothing for
// a window without one.
std::vector<std::optional<QByteArray>> classesOf(xcb_connection_t *connection,
                                                 const std::vector<xcb_get_property_cookie_t> &requests)
{
    std::vector<std::optional<QByteArray>> classes;
    classes.reserve(requests.size());
    for (const auto cookie : requests) {
        const auto reply = fetchXcbReply<xcb_get_property_reply_t>(connection, cookie, xcb_get_property_reply);
        if (!reply || reply->format != 8 || reply->type == XCB_ATOM_NONE) {
            classes.emplace_back();
            continue;
        }
        const QByteArray value(static_cast<const char *>(xcb_get_property_value(reply.get())),
                               xcb_get_property_value_length(reply.get()));
        const qsizetype instanceEnd = value.indexOf('\0');
        const QByteArray windowClass = instanceEnd < 0 ? QByteArray() : value.mid(instanceEnd + 1);
        const qsizetype classEnd = windowClass.indexOf('\0');
        classes.emplace_back(classEnd < 0 ? windowClass : windowClass.left(classEnd));
    }
    return classes;
}

// A main window, not a tool-tip, pop-up or dialog of one.
bool isTopLevelCandidate(xcb_connection_t *connection, xcb_window_t window)
{
    const auto attributesCookie = xcb_get_window_attributes(connection, window);
    const auto transientCookie =
        xcb_get_property(connection, 0, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 0, 1);
    const auto attributes =
        fetchXcbReply<xcb_get_window_attributes_reply_t>(connection, attributesCookie, xcb_get_window_attributes_reply);
    const auto transient = fetchXcbReply<xcb_get_property_reply_t>(connection, transientCookie, xcb_get_property_reply);
    if (!attributes || attributes->override_redirect)
        return false;
    return !transient || xcb_get_property_value_length(transient.get()) == 0;
}

std::optional<xcb_window_t> firstOfClass(xcb_connection_t *connection, const std::vector<xcb_window_t> &windows,
                                         const std::vector<std::optional<QByteArray>> &classes, QByteArrayView wanted)
{
    for (std::size_t i = 0; i < windows.size(); ++i) {
        if (classes[i] && *classes[i] == wanted && isTopLevelCandidate(connection, windows[i]))
            return windows[i];
    }
    return std::nullopt;
}

// `topLevels` are the root's children, bottom of the stack first. The requests
// go out in two rounds, each sent whole before its answers are read, so that
// the look waits for the server twice however many windows there are.
std::optional<xcb_window_t> findWindowOfClass(xcb_connection_t *connection, xcb_window_t root,
                                              std::vector<xcb_window_t> topLevels, const Atoms &atoms,
                                              QByteArrayView wanted)
{
    std::reverse(topLevels.begin(), topLevels.end());

    // The windows the window manager manages, and each top-level's class and
    // children (the client inside a window-manager frame).
    const auto managedRequest = askClientList(connection, root, atoms);
    const auto topLevelClassRequests = askClasses(connection, topLevels);
    const auto frameRequests = askChildren(connection, topLevels);
    const std::vector<xcb_window_t> managed = clientList(connection, managedRequest);
    const auto topLevelClasses = classesOf(connection, topLevelClassRequests);
    std::vector<std::vector<xcb_window_t>> framed = childrenOf(connection, frameRequests);
    for (std::size_t i = 0; i < topLevels.size(); ++i) {
        if (topLevelClasses[i])
            framed[i].clear(); // a client of its own, not a frame
    }
    std::vector<xcb_window_t> allFramed;
    for (const auto &inFrame : framed)
        allFramed.insert(allFramed.end(), inFrame.begin(), inFrame.end());

    const auto managedClassRequests = askClasses(connection, managed);
    const auto framedClassRequests = askClasses(connection, allFramed);
    const auto managedClasses = classesOf(connection, managedClassRequests);
    const auto framedClasses = classesOf(connection, framedClassRequests);

    // Managed windows first, oldest first; then, for want of a window manager
    // or for a withdrawn (hidden) window, the top-levels, top of the stack
    // first, and inside window-manager frames.
    if (const auto found = firstOfClass(connection, managed, managedClasses, wanted))
        return found;
    if (const auto found = firstOfClass(connection, topLevels, topLevelClasses, wanted))
        return found;
    return firstOfClass(connection, allFramed, framedClasses, wanted);
}

void activate(xcb_connection_t *connection, xcb_window_t root, const Atoms &atoms, xcb_window_t window)
{
    // Mapping restores a withdrawn window and, by ICCCM, an iconic one.
    xcb_map_window(connection, window);
    if (atoms.activeWindow != XCB_ATOM_NONE) {
        xcb_client_message_event_t message{};
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atoms.activeWindow;
        message.data.data32[0] = 2; // source indication: a pager, i.e. the user's own request
        message.data.data32[1] = XCB_CURRENT_TIME;
        message.data.data32[2] = XCB_NONE;
        xcb_send_event(connection, 0, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char *>(&message));
    }
    const uint32_t stackMode = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(connection, window, XCB_CONFIG_WINDOW_STACK_MODE, &stackMode);
    xcb_flush(connection);
}

} // namespace

bool activateWindowOfClass(QStringView windowClass)
{
    xcb_connection_t *connection = applicationXcbConnection();
    if (!connection)
        return false;
    const AtomRequests atomRequests = askAtoms(connection);
    const std::vector<xcb_window_t> roots = rootWindows(connection);
    const std::vector<std::vector<xcb_window_t>> topLevels = childrenOf(connection, askChildren(connection, roots));
    const Atoms atoms = atomsOf(connection, atomRequests);
    const QByteArray wanted = windowClass.toLatin1();
    for (std::size_t i = 0; i < roots.size(); ++i) {
        if (const auto window = findWindowOfClass(connection, roots[i], topLevels[i], atoms, wanted)) {
            activate(connection, roots[i], atoms, *window);
            return true;
        }
    }
    return false;
}

bool activateNativeWindow(quintptr windowId)
{
    xcb_connection_t *connection = applicationXcbConnection();
    if (!connection || windowId == 0)
        return false;
    const auto window = static_cast<xcb_window_t>(windowId);
    const auto tree =
        fetchXcbReply<xcb_query_tree_reply_t>(connection, xcb_query_tree(connection, window), xcb_query_tree_reply);
    if (!tree)
        return false;
    activate(connection, tree->root, internAtoms(connection), window);
    return true;
}

} // namespace menugeral

namespace menugeral {

// WM_CLASS comes from the application name (see ApplicationSetup).
class WindowClassMarker::Private
{};

WindowClassMarker::WindowClassMarker(QStringView, QObject *parent) : QObject(parent)
{}

WindowClassMarker::~WindowClassMarker() = default;

} // namespace menugeral
