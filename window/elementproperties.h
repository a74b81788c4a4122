#pragma once
// The integer properties that the program's elements carry beside Qt's own. Apart
// from the main window, so that the other windows can carry them too.
class QObject;

// The integer property that picks the command of an element shared by several.
inline constexpr const char *kTagProperty = "Tag";

// The integer property with the help topic that F1 asks for; an element without one
// asks for its nearest enclosing element's, up to its window.
inline constexpr const char *kHelpContextProperty = "HelpContext";
int HelpContextOf(const QObject *element);
