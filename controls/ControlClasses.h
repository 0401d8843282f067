#pragma once

// Makes the skinned controls (TLumaroLButton, TOwnerCheck, TUrlLabel) creatable by layouts, and
// known to assistive technology as a button and a check box.
void registerControlClasses();
