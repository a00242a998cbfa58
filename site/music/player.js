// One demo player for all the player pages: each page's <body> gives its
// name, size and colours; an optional top band shows what the music page's
// masking strip must cover.
(function () {
  var d = document.body.dataset;
  var songs = ["春天里的风", "小城故事", "月光下的凤尾竹", "甜蜜蜜", "夜来香"];
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
    '<div class="now">正在播放：<span class="song">' + songs[0] + "</span></div>" +
    '<div class="bar"><div></div></div>' +
    '<div class="ctl"><button type="button" class="play">播放</button> ' +
    '<button type="button" class="next">下一首</button></div>' +
    "<ul><li>" + songs.join("</li><li>") + "</li></ul>";
  document.body.appendChild(player);
  var n = 0;
  player.querySelector(".play").onclick = function () {
    var on = player.classList.toggle("playing");
    this.textContent = on ? "暂停" : "播放";
  };
  player.querySelector(".next").onclick = function () {
    n = (n + 1) % songs.length;
    player.querySelector(".song").textContent = songs[n];
  };
})();
