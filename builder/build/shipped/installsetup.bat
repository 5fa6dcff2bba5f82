@echo off
rem Sends the newest package of the output folder to the device connected over
rem ActiveSync and starts the device's installer; run by Install in the
rem builder's folder.
bcinstall.exe
