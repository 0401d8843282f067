#pragma once

// Makes every component class of the program known to the layout reader.
void registerComponentClasses();
