#pragma once

// Screen readers see the play field's pictures and lines as its children,
// behind its captions, with the role, name, place and press action each has.
namespace fieldaccessible {
void install();  // once per process; later calls do nothing
}
