#pragma once

#include "vorn.h"

#include <QSize>

// The window's named procedures, as its parts call them. The parts never see the window
// itself: they get the vorn, the prompts, the boxes they need and this.
class ViewProcedures {
public:
    // Empties the vorn and shows the empty card, unlocked.
    virtual void Reset() = 0;
    // Locks (true) or unlocks (false); unlocking asks for the password when there is one.
    // Returns whether the window is now in the asked mode.
    virtual bool TurnEdit(bool locked) = 0;
    // What can differ on screen from the vorn (the window size) into the vorn.
    virtual void GetFormat() = 0;
    // The vorn's layout onto the boxes and the window, then the selected item's values.
    virtual void Organize() = 0;
    // Rewrites the captions of the entry list.
    virtual void freshList() = 0;
    // Takes a vorn read from a file: shows it, locked, unmodified.
    virtual void adoptVorn(Vorn loaded) = 0;
    // Takes a vorn built from a table: shows it unlocked on the card item, modified, with a
    // history of its own.
    virtual void adoptImported(Vorn built) = 0;
    // Sets the window caption from VornName.
    virtual void refreshCaption() = 0;
    // The boxes with a Tab stop chained after the fixed controls, in output order.
    virtual void chainTabOrder() = 0;
    // The selected item of the entry list: 0 = the card, p >= 1 = the entry at p.
    virtual int listIndex() const = 0;
    // The window's size in twips, as GetFormat takes it.
    virtual QSize windowTwips() const = 0;

protected:
    ~ViewProcedures() = default;
};
