#pragma once

class CController;

// The event pump: takes SDL events from the queue and turns them into calls
// of c's input operations until the queue is empty or c is no longer the
// current controller. Called through CController::PollInput.
void pumpEvents(CController* c);

// Switches SDL's key translation to characters off, so every key arrives as
// a key symbol.
void disableUnicodeInput2();

// The input object of the program's run; constructing it switches the key
// translation off.
class CInput {
public:
    CInput() { disableUnicodeInput2(); }
};
