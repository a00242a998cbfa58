// One demo player for all the player pages: each page's <body> gives its
// name, size, colours and sound; an optional top band shows what the music
// page's masking strip must cover. The music is made here with Web Audio,
// so the player needs nothing from the network once the page has loaded.
(function () {
  var d = document.body.dataset;
  // Tunes as "note:beats" with notes in scientific pitch, "-" for a rest;
  // each bar's first note also sounds an octave and a fifth down as bass.
  var songs = [
    { name: "晨曦小调", tune: "E4:1 G4:1 A4:2 G4:1 E4:1 D4:2 C4:1 D4:1 E4:1 G4:1 A4:4 " +
      "C5:1 A4:1 G4:2 E4:1 G4:1 A4:2 G4:1 E4:1 D4:1 E4:1 C4:4" },
    { name: "山间溪流", tune: "A4:1 C5:1 D5:1 C5:1 A4:2 G4:2 E4:1 G4:1 A4:2 -:2 E4:2 " +
      "D4:1 E4:1 G4:2 A4:1 G4:1 E4:2 D4:2 C4:4 -:2" },
    { name: "月下竹影", tune: "G4:2 A4:1 C5:1 D5:2 C5:2 A4:1 G4:1 E4:2 G4:4 " +
      "E4:1 D4:1 C4:2 D4:2 E4:1 G4:1 A4:2 G4:2 E4:4" },
    { name: "晚风轻吟", tune: "C5:3 A4:1 G4:2 E4:2 D4:3 E4:1 G4:4 " +
      "A4:2 C5:2 D5:2 E5:2 D5:1 C5:1 A4:2 C5:4" },
    { name: "星空漫步", tune: "D4:1 E4:1 G4:1 A4:1 C5:2 A4:2 G4:1 A4:1 G4:1 E4:1 D4:4 " +
      "E4:1 G4:1 A4:1 C5:1 D5:2 C5:2 A4:1 G4:1 E4:1 D4:1 C4:4" }
  ];
  var beat = 60 / Number(d.tempo || 100);
  var wave = d.wave || "triangle";
  var transpose = Number(d.transpose || 0);

  var player = document.createElement("div");
  player.className = "player";
  player.style.width = d.width + "px";
  player.style.height = d.height + "px";
  player.style.setProperty("--bg", d.bg);
  player.style.setProperty("--accent", d.accent);
  player.innerHTML =
    (d.band ? '<div class="head" style="height:' + d.band + 'px">这一栏高 ' + d.band +
      ' 像素，播放器页面的顶部遮挡条会把它盖住</div>' : "") +
    '<div class="top">' + d.name + "<small>演示播放器 · " + d.width + " × " + d.height +
    "</small></div>" +
    '<div class="now">正在播放：<span class="song"></span></div>' +
    '<div class="bar"><div></div></div>' +
    '<div class="ctl"><button type="button" class="play">播放</button> ' +
    '<button type="button" class="next">下一首</button></div>' +
    "<ul>" + songs.map(function (s) { return "<li>" + s.name + "</li>"; }).join("") + "</ul>";
  document.body.appendChild(player);
  var songLabel = player.querySelector(".song");
  var playButton = player.querySelector(".play");
  var bar = player.querySelector(".bar div");
  var items = player.querySelectorAll("li");

  var context = null, out = null, voices = [], current = 0, start = 0, length = 0;

  function frequency(note) {
    var m = /^([A-G])(#?)(\d)$/.exec(note);
    var steps = { C: 0, D: 2, E: 4, F: 5, G: 7, A: 9, B: 11 }[m[1]] + (m[2] ? 1 : 0);
    var midi = 12 * (Number(m[3]) + 1) + steps + transpose;
    return 440 * Math.pow(2, (midi - 69) / 12);
  }

  function tone(freq, type, at, seconds, level) {
    var osc = context.createOscillator(), env = context.createGain();
    osc.type = type;
    osc.frequency.value = freq;
    env.gain.setValueAtTime(0, at);
    env.gain.linearRampToValueAtTime(level, at + 0.02);
    env.gain.exponentialRampToValueAtTime(level * 0.4, at + Math.min(0.3, seconds));
    env.gain.exponentialRampToValueAtTime(0.0001, at + seconds);
    osc.connect(env);
    env.connect(out);
    osc.start(at);
    osc.stop(at + seconds + 0.05);
    voices.push(osc);
  }

  // Schedules a whole song on the audio clock: pausing the context pauses it
  // exactly, and a page the user does not look at keeps playing in time.
  function schedule(n) {
    voices.forEach(function (v) { try { v.stop(); } catch (e) {} });
    voices = [];
    current = n;
    songLabel.textContent = songs[n].name;
    items.forEach(function (li, i) { li.className = i === n ? "on" : ""; });
    start = context.currentTime + 0.05;
    var at = start, inBar = 0;
    songs[n].tune.split(/\s+/).forEach(function (step) {
      var parts = step.split(":"), beats = Number(parts[1]), seconds = beats * beat;
      if (parts[0] !== "-") {
        tone(frequency(parts[0]), wave, at, seconds * 0.95, 0.22);
        if (inBar === 0)
          tone(frequency(parts[0]) / 3, "sine", at, 4 * beat * 0.95, 0.18);
      }
      inBar = (inBar + beats) % 4;
      at += seconds;
    });
    length = at - start;
  }

  function setPlaying(on) {
    player.classList.toggle("playing", on);
    playButton.textContent = on ? "暂停" : "播放";
  }

  function open() {
    if (context)
      return true;
    var Audio = window.AudioContext || window.webkitAudioContext;
    if (!Audio)
      return false;
    context = new Audio();
    out = context.createGain();
    out.gain.value = 0.6;
    var echo = context.createDelay(), feedback = context.createGain();
    echo.delayTime.value = beat * 0.75;
    feedback.gain.value = 0.25;
    out.connect(context.destination);
    out.connect(echo);
    echo.connect(feedback);
    feedback.connect(echo);
    feedback.connect(context.destination);
    schedule(current);
    return true;
  }

  function play() {
    if (open())
      context.resume().then(function () { setPlaying(context.state === "running"); });
  }

  playButton.onclick = function () {
    if (context && context.state === "running") {
      context.suspend();
      setPlaying(false);
    } else {
      play();
    }
  };
  player.querySelector(".next").onclick = function () {
    if (!open())
      return;
    schedule((current + 1) % songs.length);
    play();
  };

  setInterval(function () {
    if (!context || length === 0)
      return;
    var done = (context.currentTime - start) / length;
    bar.style.width = Math.max(0, Math.min(1, done)) * 100 + "%";
    if (done >= 1)
      schedule((current + 1) % songs.length);
  }, 250);

  // What the page reports of itself, for a look from outside.
  window.demoPlayer = {
    state: function () { return context ? context.state : "closed"; },
    time: function () { return context ? context.currentTime : 0; },
    song: function () { return songs[current].name; }
  };

  songLabel.textContent = songs[current].name;
  items[0].className = "on";
  // A radio starts by itself where the browser lets it; elsewhere the
  // play button starts it.
  if (open() && context.state === "running")
    setPlaying(true);
})();
