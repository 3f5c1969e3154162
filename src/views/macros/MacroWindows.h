#pragma once
// How the main window opens the macro windows.
//
//   Page button 2062:        RunMacroManager(services) (ManagerButtonsPart does this);
//   Page button 2063:        RunBulletManager(services);
//   Function-menu item 9:    if (auto choice = RunMacroSelect(services)) assign it to the field:
//                            name, code, and the macro copy when there is one;
//   Function-menu item 10:   RunBulletSelect(services), the same for a shooting action.

#include <cstdint>
#include <optional>

#include "macros/LibraryLocation.h"
#include "views/macros/MacroSelectDlg.h"

class MacroLibrary;
class ViewServices;

// Runs the macro manager modally over the main window, then AfterManagerClosed.
void RunMacroManager(ViewServices& services);
void RunMacroManager(ViewServices& services, MacroLibrary& library, LibraryLocation& selection);

// Runs the macro select dialog; the choice, or nothing when it was closed.
std::optional<MacroChoice> RunMacroSelect(ViewServices& services);
std::optional<MacroChoice> RunMacroSelect(ViewServices& services, MacroLibrary& library,
                                          LibraryLocation& selection);

// The same two on the shooting-action library.
void RunBulletManager(ViewServices& services);
void RunBulletManager(ViewServices& services, MacroLibrary& library, LibraryLocation& selection,
                      MacroLibrary& scratch);
std::optional<MacroChoice> RunBulletSelect(ViewServices& services);
std::optional<MacroChoice> RunBulletSelect(ViewServices& services, MacroLibrary& library,
                                           LibraryLocation& selection);

// What follows the closing of either manager: when it saved the library, the library is read
// back from its file; buttons of the current profile whose entry of `library` (function type
// `type`) grew too long for the mouse are switched off (text 259, once); when a button plays
// a macro or shooting action the key table is marked, so that the buttons' macro copies are
// refreshed (the manager marker must be set before the manager opened); pending settings are
// written; then the page is refreshed.
void AfterManagerClosed(ViewServices& services, MacroLibrary& library, bool saved, uint8_t type);

// Switches off the buttons of the current profile whose entry of `library` (type `type`)
// holds more than the mouse can play. Returns how many.
int DisableTooLongMacros(ViewServices& services, const MacroLibrary& library, uint8_t type);
