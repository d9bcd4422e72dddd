// Watches the own window procedure of a system control class: every control of the
// class made while the spy lives starts with the spy in front of the class's
// procedure, so a test can tell whether a control's end reached the control itself.
// A subclass that loses the control's procedure before the end leaks what the
// control holds.
#pragma once

#include <windows.h>

class ClassProcedureSpy {
public:
    explicit ClassProcedureSpy(const wchar_t* className);
    ~ClassProcedureSpy();
    ClassProcedureSpy(const ClassProcedureSpy&) = delete;
    ClassProcedureSpy& operator=(const ClassProcedureSpy&) = delete;

    // How often the message reached the class's own procedure since the spy began.
    int Count(UINT message) const;
};
