#include "platform/linux/StartupNotification.h"

#include "platform/linux/Xcb.h"

#include <algorithm>
#include <cstring>

namespace menugeral {
namespace {

// A client message carries 20 bytes: the text goes out in as many messages
// as it needs, the first of one type, the rest of another, and ends at a NUL.
constexpr std::size_t kBytesPerMessage = 20;

xcb_atom_t atomNamed(xcb_connection_t *connection, QByteArrayView name)
{
    const auto reply = fetchXcbReply<xcb_intern_atom_reply_t>(
        connection, xcb_intern_atom(connection, 0, uint16_t(name.size()), name.data()), xcb_intern_atom_reply);
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

} // namespace

QByteArray startupRemoveMessage(const QByteArray &startupId)
{
    QByteArray message = "remove: ID=";
    for (const char c : startupId) {
        if (c == ' ' || c == '"' || c == '\\')
            message += '\\';
        message += c;
    }
    return message;
}

void completeStartupSequence(const QByteArray &startupId)
{
    xcb_connection_t *connection = applicationXcbConnection();
    if (connection == nullptr || startupId.isEmpty())
        return;
    const xcb_atom_t begin = atomNamed(connection, "_NET_STARTUP_INFO_BEGIN");
    const xcb_atom_t more = atomNamed(connection, "_NET_STARTUP_INFO");
    if (begin == XCB_ATOM_NONE || more == XCB_ATOM_NONE)
        return;

    QByteArray text = startupRemoveMessage(startupId);
    text.append('\0');
    for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem > 0; xcb_screen_next(&it)) {
        const xcb_window_t root = it.data->root;
        for (qsizetype sent = 0; sent < text.size(); sent += kBytesPerMessage) {
            xcb_client_message_event_t message{};
            message.response_type = XCB_CLIENT_MESSAGE;
            message.format = 8;
            message.window = root;
            message.type = sent == 0 ? begin : more;
            const auto length = std::min<std::size_t>(kBytesPerMessage, std::size_t(text.size() - sent));
            std::memcpy(message.data.data8, text.constData() + sent, length);
            xcb_send_event(connection, 0, root, XCB_EVENT_MASK_PROPERTY_CHANGE,
                           reinterpret_cast<const char *>(&message));
        }
    }
    xcb_flush(connection);
}

} // namespace menugeral
