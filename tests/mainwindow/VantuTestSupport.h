// Pieces shared by the main window's tests: a locality file of four towns.
#pragma once

#include "TestSupport.h"

#include <QByteArray>

inline const QByteArray PredefinedFile =
    "<?xml version=\"1.0\"?>\n<SuborDat>"
    "<Riadok><Mesto>SK - Sliač</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>36</ZS2>"
    "<ZS3>59</ZS3><ZS4>N</ZS4><ZD1>19</ZD1><ZD2>8</ZD2><ZD3>35</ZD3><ZD4>E</ZD4></Riadok>"
    "<Riadok><Mesto>SK - Bratislava</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>9</ZS2>"
    "<ZS3>0</ZS3><ZS4>N</ZS4><ZD1>17</ZD1><ZD2>7</ZD2><ZD3>1</ZD3><ZD4>E</ZD4></Riadok>"
    "<Riadok><Mesto>SK - Košice</Mesto><Hod>1</Hod><Min>0</Min><ZS1>48</ZS1><ZS2>43</ZS2>"
    "<ZS3>19</ZS3><ZS4>N</ZS4><ZD1>21</ZD1><ZD2>15</ZD2><ZD3>37</ZD3><ZD4>E</ZD4></Riadok>"
    "<Riadok><Mesto>SK - Poprad</Mesto><Hod>1</Hod><Min>0</Min><ZS1>49</ZS1><ZS2>3</ZS2>"
    "<ZS3>37</ZS3><ZS4>N</ZS4><ZD1>20</ZD1><ZD2>17</ZD2><ZD3>58</ZD3><ZD4>E</ZD4></Riadok>"
    "</SuborDat>";
