#include "platform/WindowActivation.h"

#include "system/win/Foreground.h"

#include <QString>
#include <QWidget>

#include <string>
#include <windows.h>

namespace menugeral {

bool activateWindowOfClass(QStringView windowClass)
{
    return bringClassToForeground(windowClass);
}

bool activateNativeWindow(quintptr windowId)
{
    HWND window = reinterpret_cast<HWND>(windowId);
    return windowId != 0 && IsWindow(window) && bringToForeground(window);
}

void requestActivation(QWidget &window, const QByteArray &)
{
    window.activateWindow();
}

} // namespace menugeral

namespace menugeral {

class WindowClassMarker::Private
{
public:
    Private(WindowClassMarker &owner, QStringView windowClass);
    ~Private();
    Private(const Private &) = delete;
    Private &operator=(const Private &) = delete;

private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Queued: the request may come inside another program's call that waits
    // for this window's answer.
    void requestActivation()
    {
        QMetaObject::invokeMethod(&m_owner, &WindowClassMarker::activationRequested, Qt::QueuedConnection);
    }

    WindowClassMarker &m_owner;
    std::wstring m_className;
    HINSTANCE m_instance = GetModuleHandleW(nullptr);
    ATOM m_class = 0;
    HWND m_window = nullptr;
};

WindowClassMarker::Private::Private(WindowClassMarker &owner, QStringView windowClass)
    : m_owner(owner), m_className(windowClass.toString().toStdWString())
{
    WNDCLASSEXW description{};
    description.cbSize = sizeof(description);
    description.lpfnWndProc = &Private::procedure;
    description.hInstance = m_instance;
    description.lpszClassName = m_className.c_str();
    m_class = RegisterClassExW(&description);
    if (m_class == 0)
        return;
    // Top-level, so FindWindow sees it (a message-only window it would not);
    // a tool window of no size, so it has no task-bar button even if shown.
    m_window = CreateWindowExW(WS_EX_TOOLWINDOW, m_className.c_str(), L"Menu Geral", WS_POPUP, 0, 0, 0, 0, nullptr,
                               nullptr, m_instance, nullptr);
    if (m_window != nullptr)
        SetWindowLongPtrW(m_window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

WindowClassMarker::Private::~Private()
{
    if (m_window != nullptr)
        DestroyWindow(m_window);
    if (m_class != 0)
        UnregisterClassW(m_className.c_str(), m_instance);
}

LRESULT CALLBACK WindowClassMarker::Private::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto *self = reinterpret_cast<Private *>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (self != nullptr) {
        switch (message) {
        case WM_WINDOWPOSCHANGING: {
            // Stays hidden: the menu shows itself instead.
            auto *position = reinterpret_cast<WINDOWPOS *>(lParam);
            if (position->flags & SWP_SHOWWINDOW) {
                position->flags &= ~UINT(SWP_SHOWWINDOW);
                self->requestActivation();
            }
            return 0;
        }
        case WM_ACTIVATE:
            if (LOWORD(wParam) != WA_INACTIVE)
                self->requestActivation();
            break;
        default:
            break;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

WindowClassMarker::WindowClassMarker(QStringView windowClass, QObject *parent)
    : QObject(parent), d(std::make_unique<Private>(*this, windowClass))
{}

WindowClassMarker::~WindowClassMarker() = default;

} // namespace menugeral
