// SPDX-License-Identifier: MIT
#pragma once

// Starting the application when the user logs in.
class Autostart {
  public:
    virtual ~Autostart() = default;
    virtual bool registerApp() = 0;
    virtual bool unregisterApp() = 0;
    // Whether the application starts at login now, whoever set that up.
    virtual bool isRegistered() const = 0;
    // Whether starting at login is offered ticked to a user who has not answered yet: not for
    // a program run from its build folder, which an entry would tie to that folder.
    virtual bool offeredAtFirstStart() const = 0;
};
