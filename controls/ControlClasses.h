#pragma once

// Makes the skinned controls (TLumaroLButton, TOwnerCheck, TUrlLabel) creatable by layouts.
void registerControlClasses();
