#pragma once

// Starting the application when the user logs in.
class LoginItems {
  public:
    virtual ~LoginItems() = default;
    virtual bool registerApp() = 0;
    virtual bool unregisterApp() = 0;
    // Whether the application starts at login now, whoever set that up.
    virtual bool isRegistered() const = 0;
};
