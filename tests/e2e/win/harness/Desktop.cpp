#include "harness/Desktop.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <vector>

namespace menugeral::e2e {
namespace {

void send(std::vector<INPUT> inputs)
{
    SendInput(UINT(inputs.size()), inputs.data(), sizeof(INPUT));
    // Lets the target take the input before anything is asked of it.
    QThread::msleep(100);
}

INPUT keyInput(WORD virtualKey, WORD scanCode, DWORD flags)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.wScan = scanCode;
    input.ki.dwFlags = flags;
    return input;
}

void bringToFront(HWND window)
{
    if (GetForegroundWindow() != window)
        SetForegroundWindow(window);
    waitUntil([window] { return GetForegroundWindow() == window; }, 5s);
}

} // namespace

bool waitUntil(const std::function<bool()> &condition, std::chrono::milliseconds timeout)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeout.count())
            return condition();
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        QThread::msleep(30);
    }
    return true;
}

QString classNameOf(HWND window)
{
    wchar_t name[256] = {};
    const int length = GetClassNameW(window, name, 256);
    return QString::fromWCharArray(name, length);
}

QString titleOf(HWND window)
{
    wchar_t title[512] = {};
    const int length = GetWindowTextW(window, title, 512);
    return QString::fromWCharArray(title, length);
}

DWORD processOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

QList<HWND> visibleWindowsOf(DWORD processId, const QString &title)
{
    struct Search
    {
        DWORD processId;
        const QString &title;
        QList<HWND> found;
    } search{processId, title, {}};
    EnumWindows(
        [](HWND window, LPARAM parameter) -> BOOL {
            auto &s = *reinterpret_cast<Search *>(parameter);
            if (IsWindowVisible(window) && processOf(window) == s.processId &&
                (s.title.isEmpty() || titleOf(window) == s.title))
                s.found.append(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

QRect clientRectOnScreen(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    return QRect(origin.x, origin.y, client.right - client.left, client.bottom - client.top);
}

void click(HWND window, QPoint position)
{
    const QPoint target = clientRectOnScreen(window).topLeft() + position;
    SetCursorPos(target.x(), target.y());
    QThread::msleep(100);
    INPUT down{};
    down.type = INPUT_MOUSE;
    down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    INPUT up = down;
    up.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    send({down, up});
}

void pressKey(HWND window, WORD virtualKey, bool withControl)
{
    bringToFront(window);
    std::vector<INPUT> inputs;
    if (withControl)
        inputs.push_back(keyInput(VK_CONTROL, 0, 0));
    inputs.push_back(keyInput(virtualKey, 0, 0));
    inputs.push_back(keyInput(virtualKey, 0, KEYEVENTF_KEYUP));
    if (withControl)
        inputs.push_back(keyInput(VK_CONTROL, 0, KEYEVENTF_KEYUP));
    send(inputs);
}

void typeText(HWND window, const QString &text)
{
    bringToFront(window);
    std::vector<INPUT> inputs;
    for (const QChar c : text) {
        inputs.push_back(keyInput(0, c.unicode(), KEYEVENTF_UNICODE));
        inputs.push_back(keyInput(0, c.unicode(), KEYEVENTF_UNICODE | KEYEVENTF_KEYUP));
    }
    send(inputs);
}

QString clipboardText()
{
    QString text;
    if (!OpenClipboard(nullptr))
        return text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto *characters = static_cast<const wchar_t *>(GlobalLock(data))) {
            text = QString::fromWCharArray(characters);
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    return text;
}

void clearClipboard()
{
    if (OpenClipboard(nullptr)) {
        EmptyClipboard();
        CloseClipboard();
    }
}

} // namespace menugeral::e2e
