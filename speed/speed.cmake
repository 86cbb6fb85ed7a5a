# The speed sources' rules, part of telqar_core.
target_sources(telqar_core PRIVATE
  speed/uCommaText.cpp
  speed/uDecimalText.cpp
  speed/uDemoRun.cpp
  speed/uGpsSpeed.cpp
  speed/uPacketSplitter.cpp
  speed/uSerialLink.cpp
  speed/uSpeedFrame.cpp
  speed/uSpeedSource.cpp
  speed/uVboxSpeed.cpp
)
