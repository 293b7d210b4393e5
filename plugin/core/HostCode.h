// Every host call's code is either acted on (checked, chained with
// `if (err == kNoErr) err = ...`, returned) or dropped through Ignore, which
// says in one word why its failure does not matter here. A dropped read
// never passes its out-value on: the value was set beforehand to one that
// stands when the call fails (Why::Fallback).
#pragma once

#include "host/SPBasic.h"

enum class Why {
  Cosmetic,  // only what the screen shows for now: cursor, info line, selection marks
  Cleanup,   // giving back or removing something on the way out: refused, it is forgotten all the same
  Fallback,  // the out-value was set beforehand to one that stands when the call fails
  Alert,     // the message alert itself: there is nowhere left to report its failure
  Optional,  // a service the plug-in works without (it is only less informed)
};

inline void Ignore(ASErr /*code*/, Why /*why*/) {}
