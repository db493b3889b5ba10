// The windows' style sheets, applied as fonts and colours on the widgets
// themselves.
//
// Qt's style sheet engine costs a window some milliseconds to polish and its
// widgets about a megabyte of rules, and the windows' descriptions use it only
// for faces and plain colours. The program's copies of the descriptions hand
// the style sheet to the window as the property kDescribedStyleSheet instead;
// ApplyStyleSheet reads it there and sets what it says on the widgets it names.
//
// It reads this much of the style sheet language, which is all the
// descriptions use:
//   selectors   *   #Name   #Name Type   and lists of them, split by commas;
//   properties  font: [bold] <n>px "Family", ...;
//               background-color: #rrggbb | <colour name> | palette(button);
//               color: #rrggbb | <colour name>;
// and comments. Anything else is a fault in a description and throws
// std::invalid_argument with what it could not read.
//
// A rule holds for the widget it names alone: what lies on that widget keeps
// the face and colours it had, except a text box's viewport, which shows the
// text box's own. A window's * face is also its menus' face. A group box with
// a title keeps a style sheet of its own with its face, because the engine
// draws such a title a little to the right of where the plain style does.
#pragma once

class QWidget;

namespace jadeleaf {

inline constexpr const char* kDescribedStyleSheet = "describedStyleSheet";

void ApplyStyleSheet(QWidget& window);

}  // namespace jadeleaf
