#pragma once

// Screen readers see a form's windowless controls as children of its client
// area, with the role, name, place and press action each control gives.
namespace graphicaccessible {
void install();  // once per process; later calls do nothing
}
