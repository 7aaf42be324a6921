#pragma once

class Form1;

// Builds the window's menu bar, File, Edit and Help, with every item's caption, access key and
// shortcut, and connects each item to its handler on the form. Each item's object name is the
// item's own name; the four items of the mnueditcmd array are mnueditcmd(0) to mnueditcmd(3).
void BuildMenus(Form1 &form);
