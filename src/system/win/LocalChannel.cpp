// Hand-written on named pipes because QtCore has no local socket, and
// QtNetwork's would cost the menu more memory than its whole window's artwork.
#include "system/LocalChannel.h"

#include <QTimer>
#include <QWinEventNotifier>

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

// clang-format off
#include <windows.h>
#include <aclapi.h>
#include <sddl.h>
// clang-format on

namespace menugeral {
using namespace Qt::StringLiterals;

namespace {

// An answer is a short line; a server that sends more is not ours.
constexpr qsizetype kMaxAnswerBytes = 64;
// The answer is a few bytes into a pipe nothing was written to: it leaves at
// once. Only a client that is not ours could hold it up, and not for longer.
constexpr DWORD kAnswerWriteMs = 500;
// What the system holds of a client's writes for the menu: a client's write
// ends once it is held, however little of it the menu reads, as with Qt's
// local sockets. Freed with the instance.
constexpr DWORD kClientWriteBytes = 64 * 1024;

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

struct LocalFreer
{
    void operator()(void *memory) const { LocalFree(memory); }
};

// Null for a failed call, whichever way the call reports it.
Handle owned(HANDLE handle)
{
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

std::wstring pipePath(const QString &name)
{
    // Where QLocalSocket looks for a server of that name.
    const QString prefix = uR"(\\.\pipe\)"_s;
    return (name.startsWith(prefix) ? name : prefix + name).toStdWString();
}

DWORD remainingMs(const QDeadlineTimer &deadline)
{
    if (deadline.isForever())
        return INFINITE;
    return DWORD(std::clamp<qint64>(deadline.remainingTime(), 0, INFINITE - 1));
}

// Whether an overlapped operation that returned `started` runs or ran;
// called at once, while the error is still the operation's.
bool inFlight(BOOL started)
{
    return started || GetLastError() == ERROR_IO_PENDING;
}

// Waits up to `waitMs` for an operation in flight on `pipe`, then cancels it;
// its byte count, or nothing when it failed.
std::optional<DWORD> finish(HANDLE pipe, OVERLAPPED &overlapped, bool inFlight, DWORD waitMs)
{
    if (!inFlight)
        return std::nullopt;
    if (WaitForSingleObject(overlapped.hEvent, waitMs) != WAIT_OBJECT_0)
        CancelIoEx(pipe, &overlapped);
    // Waits for the cancel as well: until then the system may write into
    // `overlapped` and the buffer.
    DWORD bytes = 0;
    if (!GetOverlappedResult(pipe, &overlapped, &bytes, TRUE))
        return std::nullopt;
    return bytes;
}

// The TOKEN_USER of this process, empty when it cannot be read.
std::vector<char> currentUser()
{
    HANDLE token = nullptr;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return {};
    const Handle tokenOwner(token);
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<char> user(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, user.data(), size, &size))
        return {};
    return user;
}

PSID userSid(std::vector<char> &user)
{
    return reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid;
}

// A security descriptor that lets this user alone at the pipe, and names the
// user its owner (an elevated start would otherwise give it to the
// administrators), which is what a later start checks.
std::unique_ptr<void, LocalFreer> userOnlySecurity()
{
    std::vector<char> user = currentUser();
    wchar_t *sid = nullptr;
    if (user.empty() || !ConvertSidToStringSidW(userSid(user), &sid))
        return nullptr;
    const std::unique_ptr<void, LocalFreer> sidOwner(sid);
    // Protected, so that nothing is inherited beside this one grant.
    const std::wstring sddl = L"O:" + std::wstring(sid) + L"D:P(A;;GA;;;" + std::wstring(sid) + L")";
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorW(sddl.c_str(), SDDL_REVISION_1, &descriptor, nullptr))
        return nullptr;
    return std::unique_ptr<void, LocalFreer>(descriptor);
}

// Pipe names are shared by every user of the machine (a terminal server's
// too): a pipe of the menu's name that another user made is not the menu,
// and its answer would tell this start that the menu showed when none did.
bool isOwnPipe(HANDLE pipe)
{
    PSID owner = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (GetSecurityInfo(pipe, SE_KERNEL_OBJECT, OWNER_SECURITY_INFORMATION, &owner, nullptr, nullptr, nullptr,
                        &descriptor) != ERROR_SUCCESS)
        return false;
    const std::unique_ptr<void, LocalFreer> descriptorOwner(descriptor);
    std::vector<char> user = currentUser();
    return owner && !user.empty() && EqualSid(owner, userSid(user));
}

// The server's end of one pipe instance, with at most one overlapped
// operation in flight whose completion the notifier reports.
class PipeEnd
{
public:
    explicit PipeEnd(Handle pipe) : pipe(std::move(pipe)) {}
    ~PipeEnd() { hangUp(); }

    bool valid() const { return pipe && event; }

    // A cleared OVERLAPPED for the next operation.
    OVERLAPPED *next()
    {
        overlapped = OVERLAPPED{};
        overlapped.hEvent = event.get();
        return &overlapped;
    }

    // After an operation was `started` on next(): whether it runs or ran.
    bool track(BOOL started)
    {
        state = inFlight(started) ? State::Running : State::Idle;
        return state == State::Running;
    }

    // An operation that ended before it could be tracked, reported the same way.
    void reportDone()
    {
        state = State::Done;
        SetEvent(event.get());
    }

    // What the notifier reported: nothing yet, or the end of the operation
    // with its byte count, -1 when it failed.
    std::optional<qint64> outcome()
    {
        DWORD bytes = 0;
        qint64 result = 0;
        switch (state) {
        case State::Idle:
            ResetEvent(event.get());
            return std::nullopt;
        case State::Running:
            if (GetOverlappedResult(pipe.get(), &overlapped, &bytes, FALSE))
                result = bytes;
            else if (GetLastError() == ERROR_IO_INCOMPLETE)
                return std::nullopt;
            else
                result = -1;
            break;
        case State::Done:
            break;
        }
        state = State::Idle;
        ResetEvent(event.get());
        return result;
    }

    // Closes the instance once the system has let go of what it was given.
    void hangUp()
    {
        notifier.setEnabled(false);
        if (state == State::Running) {
            CancelIoEx(pipe.get(), &overlapped);
            DWORD bytes = 0;
            GetOverlappedResult(pipe.get(), &overlapped, &bytes, TRUE);
        }
        state = State::Idle;
        pipe.reset();
    }

    Handle pipe;
    // Declared before what refers to it, so destroyed after.
    Handle event{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    OVERLAPPED overlapped{};
    QWinEventNotifier notifier{event.get()};

private:
    enum class State
    {
        Idle,
        Running,
        Done
    };
    State state = State::Idle;
};

struct Client
{
    Client(Handle pipe, qsizetype maxRequestBytes) : end(std::move(pipe)), request(maxRequestBytes, '\0') {}

    PipeEnd end;
    QByteArray request; // what arrived fills its start
    qsizetype received = 0;
    QTimer idle;
};

} // namespace

class LocalChannelServer::Private
{
public:
    Private(LocalChannelServer &owner, const LocalChannelLimits &limits, Answerer answerer)
        : q(owner), limits(limits), answerer(std::move(answerer))
    {}

    Handle newInstance(bool first);
    void waitForClient(PipeEnd &end);
    void accept(PipeEnd &end);
    void refill();
    void adopt(Handle pipe);
    void read(Client &client);
    void serve(Client &client);
    void answer(Client &client, const QByteArray &line);
    void release(Client &client);
    void retire(std::shared_ptr<Client> client);

    LocalChannelServer &q;
    LocalChannelLimits limits;
    Answerer answerer;
    std::unique_ptr<void, LocalFreer> security;
    std::wstring path; // empty while not listening
    std::vector<std::unique_ptr<PipeEnd>> waiting;
    std::deque<std::shared_ptr<Client>> open; // oldest first
    // Let go of, freed from the event loop: a client may be let go of from
    // within its own notifier's signal.
    std::vector<std::shared_ptr<Client>> released;
};

Handle LocalChannelServer::Private::newInstance(bool first)
{
    SECURITY_ATTRIBUTES attributes{sizeof(attributes), security.get(), FALSE};
    // The first instance fails if another program made the name first:
    // clients would reach that program instead of the menu.
    const DWORD access = PIPE_ACCESS_DUPLEX | FILE_FLAG_OVERLAPPED | (first ? FILE_FLAG_FIRST_PIPE_INSTANCE : 0);
    Handle pipe = owned(CreateNamedPipeW(
        path.c_str(), access, PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS,
        PIPE_UNLIMITED_INSTANCES, DWORD(kMaxAnswerBytes), kClientWriteBytes, 0, &attributes));
    // Wine ignores the flag: there, an instance beside ours is the other's.
    DWORD instances = 0;
    if (first && pipe &&
        (!GetNamedPipeHandleStateW(pipe.get(), nullptr, &instances, nullptr, nullptr, nullptr, 0) || instances != 1))
        return nullptr;
    return pipe;
}

void LocalChannelServer::Private::waitForClient(PipeEnd &end)
{
    // A client that came before the call (or came and went) is handed over
    // the same way; one that went fails its first read.
    if (!end.track(ConnectNamedPipe(end.pipe.get(), end.next())))
        end.reportDone();
}

void LocalChannelServer::Private::accept(PipeEnd &end)
{
    const std::optional<qint64> connected = end.outcome();
    if (!connected)
        return;
    Handle pipe = std::move(end.pipe);
    end.pipe = newInstance(false);
    if (end.pipe)
        waitForClient(end);
    if (*connected >= 0)
        adopt(std::move(pipe));
}

void LocalChannelServer::Private::refill()
{
    // An instance the system refused earlier is asked for again.
    for (const std::unique_ptr<PipeEnd> &end : waiting) {
        if (!end->pipe && !path.empty() && (end->pipe = newInstance(false)))
            waitForClient(*end);
    }
}

void LocalChannelServer::Private::adopt(Handle pipe)
{
    // The oldest has had the longest to send its few bytes: most likely a
    // client that never will, not a start that is about to.
    if (int(open.size()) >= limits.maxConnections)
        release(*open.front());
    auto client = std::make_shared<Client>(std::move(pipe), limits.maxRequestBytes);
    if (!client->end.valid())
        return;
    Client *raw = client.get();
    QObject::connect(&client->end.notifier, &QWinEventNotifier::activated, &q, [this, raw] { serve(*raw); });
    client->idle.setSingleShot(true);
    QObject::connect(&client->idle, &QTimer::timeout, &q, [this, raw] { release(*raw); });
    client->idle.start(limits.idleTimeout);
    open.push_back(std::move(client));
    read(*raw);
}

void LocalChannelServer::Private::read(Client &client)
{
    // Never more than one request's worth: the rest stays in the system.
    const BOOL started = ReadFile(client.end.pipe.get(), client.request.data() + client.received,
                                  DWORD(limits.maxRequestBytes - client.received), nullptr, client.end.next());
    if (!client.end.track(started))
        release(client); // the client went
}

void LocalChannelServer::Private::serve(Client &client)
{
    const std::optional<qint64> bytes = client.end.outcome();
    if (!bytes)
        return;
    if (*bytes < 0) {
        release(client);
        return;
    }
    client.received += *bytes;
    const qsizetype end = client.request.first(client.received).indexOf('\n');
    if (end >= 0)
        answer(client, client.request.first(end + 1));
    else if (client.received >= limits.maxRequestBytes)
        release(client); // anything longer than a request is not one of ours
    else
        read(client);
}

void LocalChannelServer::Private::answer(Client &client, const QByteArray &line)
{
    const auto isClient = [&client](const std::shared_ptr<Client> &c) {
        return c.get() == &client;
    };
    const auto it = std::find_if(open.begin(), open.end(), isClient);
    if (it == open.end())
        return;
    // Kept while the answerer runs: one that runs an event loop may see the
    // client let go of meanwhile.
    std::shared_ptr<Client> kept = *it;
    const std::optional<QByteArray> reply = answerer(line);
    if (std::none_of(open.begin(), open.end(), isClient)) {
        retire(std::move(kept));
        return;
    }
    if (reply) {
        PipeEnd &end = client.end;
        const bool writing =
            inFlight(WriteFile(end.pipe.get(), reply->constData(), DWORD(reply->size()), nullptr, end.next()));
        finish(end.pipe.get(), end.overlapped, writing, kAnswerWriteMs);
    }
    // Closing without disconnecting leaves the answer for the client to read.
    release(client);
}

void LocalChannelServer::Private::release(Client &client)
{
    const auto it = std::find_if(open.begin(), open.end(),
                                 [&client](const std::shared_ptr<Client> &c) { return c.get() == &client; });
    if (it == open.end())
        return; // already let go of
    client.idle.stop();
    client.end.hangUp();
    retire(std::move(*it));
    open.erase(it);
    refill();
}

void LocalChannelServer::Private::retire(std::shared_ptr<Client> client)
{
    if (released.empty())
        QTimer::singleShot(0, &q, [this] { released.clear(); });
    released.push_back(std::move(client));
}

LocalChannelServer::LocalChannelServer(const LocalChannelLimits &limits, Answerer answerer, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(*this, limits, std::move(answerer)))
{}

LocalChannelServer::~LocalChannelServer()
{
    close();
}

bool LocalChannelServer::listen(const QString &name)
{
    close();
    if (!d->security)
        d->security = userOnlySecurity();
    if (!d->security)
        return false;
    d->path = pipePath(name);
    Handle first = d->newInstance(true);
    if (!first) {
        d->path.clear();
        return false;
    }
    for (int i = 0; i < std::max(1, d->limits.listenBacklog); ++i) {
        auto end = std::make_unique<PipeEnd>(i == 0 ? std::move(first) : d->newInstance(false));
        if (!end->valid()) {
            close();
            return false;
        }
        PipeEnd *raw = end.get();
        connect(&end->notifier, &QWinEventNotifier::activated, this, [this, raw] { d->accept(*raw); });
        d->waitForClient(*end);
        d->waiting.push_back(std::move(end));
    }
    return true;
}

void LocalChannelServer::close()
{
    d->path.clear();
    d->waiting.clear();
    while (!d->open.empty())
        d->release(*d->open.front());
}

int LocalChannelServer::openConnections() const
{
    return int(d->open.size());
}

std::optional<QByteArray> askLocalChannel(const QString &name, QByteArrayView request, QDeadlineTimer deadline)
{
    const std::wstring path = pipePath(name);
    Handle pipe;
    for (;;) {
        // Identification only: a program posing as the menu cannot act as us.
        pipe = owned(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION, nullptr));
        if (pipe)
            break;
        if (GetLastError() != ERROR_PIPE_BUSY || deadline.hasExpired())
            return std::nullopt;
        // 0 would mean the server's default wait, not none.
        WaitNamedPipeW(path.c_str(), std::max<DWORD>(1, remainingMs(deadline)));
    }
    if (!isOwnPipe(pipe.get()))
        return std::nullopt;
    const Handle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return std::nullopt;
    OVERLAPPED overlapped{};
    const auto next = [&] {
        overlapped = OVERLAPPED{};
        overlapped.hEvent = event.get();
        return &overlapped;
    };

    for (qsizetype sent = 0; sent < request.size();) {
        const bool writing =
            inFlight(WriteFile(pipe.get(), request.data() + sent, DWORD(request.size() - sent), nullptr, next()));
        const std::optional<DWORD> written = finish(pipe.get(), overlapped, writing, remainingMs(deadline));
        if (!written)
            return std::nullopt;
        sent += *written;
    }
    QByteArray answer(kMaxAnswerBytes, '\0');
    qsizetype received = 0;
    while (!answer.first(received).contains('\n') && received < kMaxAnswerBytes) {
        const bool reading = inFlight(
            ReadFile(pipe.get(), answer.data() + received, DWORD(kMaxAnswerBytes - received), nullptr, next()));
        const std::optional<DWORD> got = finish(pipe.get(), overlapped, reading, remainingMs(deadline));
        if (!got || *got == 0)
            break; // hung up, or no answer in time
        received += *got;
    }
    const qsizetype end = answer.first(received).indexOf('\n');
    if (end < 0)
        return std::nullopt;
    return answer.first(end);
}

} // namespace menugeral
