// Plays a video file in headless Chromium (a <video> element served from
// 127.0.0.1) and prints its duration, size and how far it played in two
// seconds: a check that browsers take our MP4 files. Uses the playwright-core
// that ../shared/tools/ruffle-ref installs (RUFFLE_REF_HOME, default
// ~/.cache/ruffle-ref) and /usr/bin/chromium.
//
//   node tools/browser_video_check.mjs build/demo/album.mp4
import os from 'os';
import path from 'path';
const home = process.env.RUFFLE_REF_HOME || path.join(os.homedir(), '.cache', 'ruffle-ref');
const { chromium } = await import(path.join(home, 'node_modules', 'playwright-core', 'index.mjs'));
import http from 'http';
import fs from 'fs';
const file = process.argv[2];
const server = http.createServer((req, res) => {
  if (req.url === '/') { res.setHeader('Content-Type','text/html'); res.end('<video id=v src="/v.mp4" muted></video>'); return; }
  const data = fs.readFileSync(file);
  const range = req.headers.range;
  res.setHeader('Content-Type', 'video/mp4'); res.setHeader('Accept-Ranges','bytes');
  if (range) { const [s,e] = range.replace('bytes=','').split('-'); const start=+s, end=e?+e:data.length-1;
    res.statusCode=206; res.setHeader('Content-Range',`bytes ${start}-${end}/${data.length}`); res.end(data.subarray(start,end+1)); }
  else res.end(data);
});
await new Promise(r => server.listen(0, '127.0.0.1', r));
const browser = await chromium.launch({ executablePath: '/usr/bin/chromium', args: ['--no-sandbox','--autoplay-policy=no-user-gesture-required'] });
const page = await browser.newPage();
await page.goto(`http://127.0.0.1:${server.address().port}/`);
const r = await page.evaluate(async () => {
  const v = document.getElementById('v');
  await new Promise((ok, bad) => { if (v.readyState >= 1) ok(); v.onloadedmetadata = ok; v.onerror = () => bad(new Error('error ' + (v.error && v.error.code))); setTimeout(() => bad(new Error('timeout')), 20000); });
  await v.play(); await new Promise(r => setTimeout(r, 2000));
  const t = v.currentTime; v.pause();
  const q = v.getVideoPlaybackQuality ? v.getVideoPlaybackQuality() : {};
  return { duration: v.duration, width: v.videoWidth, height: v.videoHeight, playedTo: t, decodedFrames: q.totalVideoFrames, canPlay: v.canPlayType('video/mp4; codecs="avc1.640028, mp4a.40.2"') };
}).catch(e => ({ error: String(e) }));
console.log(JSON.stringify(r));
await browser.close(); server.close();
