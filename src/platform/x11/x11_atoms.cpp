#include "platform/x11/x11_atoms.h"

#include <array>

namespace tappomat {

bool X11Atoms::Intern(Display* display) {
  // Xlib takes non-const names for historical reasons; it does not write to them.
  std::array names{
#define TAPPOMAT_X11_ATOM_NAME(member, name) const_cast<char*>(name),
      TAPPOMAT_X11_ATOMS(TAPPOMAT_X11_ATOM_NAME)
#undef TAPPOMAT_X11_ATOM_NAME
  };
  std::array<Atom, names.size()> atoms{};
  if (!XInternAtoms(display, names.data(), static_cast<int>(names.size()), False, atoms.data())) {
    return false;
  }
  std::size_t index = 0;
#define TAPPOMAT_X11_ATOM_ASSIGN(member, name) member = atoms[index++];
  TAPPOMAT_X11_ATOMS(TAPPOMAT_X11_ATOM_ASSIGN)
#undef TAPPOMAT_X11_ATOM_ASSIGN
  return true;
}

}  // namespace tappomat
