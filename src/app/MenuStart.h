#pragma once

#include "app/SingleInstanceGuard.h"
#include "system/InstanceAddress.h"

#include <QByteArray>
#include <QByteArrayList>

#include <memory>
#include <optional>

namespace menugeral {

class InstanceLock;

// What a start of the program hands to the part that makes the windows: what
// it was started with, taken before anything is changed for the menu itself.
struct MenuStart
{
    int &argc;
    char **argv;
    // The token it was given to take the focus, already out of the environment.
    QByteArray activationToken;
    // What the modules are started with (see environmentForModules).
    std::optional<QByteArrayList> moduleEnvironment;
};

// Whether this start becomes the menu or hands over to the one that runs,
// decided here alone. The lock is asked once, before any application object:
// a start that gets it keeps it to become the menu; one that finds it held
// asks the running menu to come forward under a plain QCoreApplication gone
// before it returns, so such a start never connects to the display.
class MenuInstance
{
public:
    explicit MenuInstance(MenuStart &start);
    ~MenuInstance();
    MenuInstance(const MenuInstance &) = delete;
    MenuInstance &operator=(const MenuInstance &) = delete;

    // The running menu answered before this start made its windowing application.
    bool handedOver() const;
    // Once the windowing application is made: FirstInstance or Unguarded to
    // go on and be the menu, with the guard hearing later starts; it must go
    // before the application does. A menu that held the lock but did not
    // answer was waited for already.
    struct Claimed
    {
        SingleInstanceGuard::Claim claim;
        std::unique_ptr<SingleInstanceGuard> guard;
    };
    Claimed claim();

private:
    QByteArray m_activationToken;
    std::optional<InstanceAddress> m_address;
    std::unique_ptr<InstanceLock> m_lock;
    std::optional<SingleInstanceGuard::Claim> m_asked;
};

} // namespace menugeral
