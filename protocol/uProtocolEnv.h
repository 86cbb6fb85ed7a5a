#pragma once

// Which frame protocol the units speak.
enum class TProtocolEnv {
    peProduction,  // one unit, all values in one frame, plus the chassis frame
    peTest,        // up to three units, motion frame on B and status frame on B+1
};
