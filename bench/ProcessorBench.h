#pragma once

// One benchmark per factory preset; registered at start-up, once the library can be read.
void registerPresetBenchmarks();
