// suncalc's moonrise and moonset for compare_ephem.py: reads "unixMs latitude
// longitudeEast" lines (the UTC day's 0 h), prints "riseMs setMs" ("-" for
// none) a line, and its time per day on standard error.
//     node suncalc_times.js FOLDER   (FOLDER holds node_modules/suncalc)
'use strict';
const path = require('path');
const SunCalc = require(path.resolve(process.argv[2] || '.', 'node_modules', 'suncalc'));

const cases = require('fs').readFileSync(0, 'utf8').trim().split('\n')
    .map(line => line.split(' ').map(Number));
const start = process.hrtime.bigint();
const times = cases.map(([ms, lat, lon]) => SunCalc.getMoonTimes(new Date(ms), lat, lon, true));
const ns = Number(process.hrtime.bigint() - start);
const out = times.map(t => (t.rise ? t.rise.getTime() : '-') + ' ' + (t.set ? t.set.getTime() : '-'));
process.stdout.write(out.join('\n') + '\n');
process.stderr.write(`${(ns / 1000 / cases.length).toFixed(1)} us a day`);
