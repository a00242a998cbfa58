#pragma once
// The process entry: one instance, the five windows, the message loop.

class TForm1;
class TForm3;
class Tlock_form;
class Tpwd_form;
class Tsetting_form;

// The five windows, created once at start in this order.
extern TForm1* Form1;
extern TForm3* Form3;
extern Tlock_form* lock_form;
extern Tpwd_form* pwd_form;
extern Tsetting_form* setting_form;

// Runs the program; the exit code is always 0.
int RunApplication(int argc, char** argv);
