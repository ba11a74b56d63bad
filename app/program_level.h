#pragma once
// Verdict of the installed tax-form application's program level:
// -1 no ini file or an empty level, 0 fits, 1 the tax-form application is too
// old, 2 the link component is too old.
int ReadProgramLevelVerdict();
