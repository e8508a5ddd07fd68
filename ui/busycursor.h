#pragma once

// Shows the busy cursor over the whole application for the object's lifetime, so a long load
// or redraw never looks like a frozen window.
class BusyCursor {
public:
    BusyCursor();
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor();
};
