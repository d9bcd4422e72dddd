#include "win/properties.h"

LPCWSTR PropertyKey(const wchar_t* name) {
    const ATOM atom = GlobalAddAtomW(name);
    return atom ? MAKEINTATOM(atom) : name;
}
