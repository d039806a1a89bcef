#pragma once

// The options screen's tutorials box, kept in "options.dat": false shows no tutorial page.
extern bool tutorialsOn;
